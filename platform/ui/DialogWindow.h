#pragma once
// The Qt window of a CDialog: a menu bar above a client area of the template's size, and
// the dialog manager's keyboard rules. Every command goes back to the CDialog.

#include <QDialog>

namespace scx {

class CDialog;

class ClientArea : public QWidget {
    Q_OBJECT
  public:
    ClientArea(CDialog& owner, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CDialog& m_owner;
};

class DialogWindow : public QDialog {
    Q_OBJECT
  public:
    explicit DialogWindow(CDialog& owner);

    ClientArea* Client() const { return m_client; }
    CDialog& Owner() const { return m_owner; }
    // The control that receives Enter when the focus is not on a push button.
    void SetDefaultButton(int id) { m_defaultButton = id; }
    // Lets an edit pass Enter and Escape on to the dialog, and report losing the focus.
    void WatchEdit(QWidget* edit, int id, bool wantsReturn);
    // Ends the Qt side of a modal run (exec returns `result`).
    void Finish(int result);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  public slots:
    void reject() override;
    void accept() override;

  private:
    bool HandleDialogKey(int key);
    // Whether the window takes this drag: local files only, and no handler running.
    bool TakesDrop(const QDropEvent& event) const;
    // The dialog manager's arrow keys in a group of radio buttons: the next enabled one
    // of the group, in template order and wrapping, takes the focus and is clicked.
    bool MoveInRadioGroup(QObject* radio, int key);
    int ControlIdOf(const QObject* widget) const;

    CDialog& m_owner;
    ClientArea* m_client;
    int m_defaultButton = 0;
    bool m_finishing = false;
};

}  // namespace scx
