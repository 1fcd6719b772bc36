#pragma once
// The Qt window of a CDialog: a menu bar above a client area of the template's size, the
// controls as widgets, and the dialog manager's keys reported to the CDialog.

#include <QDialog>
#include <map>

#include "DialogPeer.h"

namespace scx {

class AnimationWidget;
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

class DialogWindow : public QDialog, public DialogPeer {
    Q_OBJECT
  public:
    explicit DialogWindow(CDialog& owner);

    ClientArea* Client() const { return m_client; }
    CDialog& Owner() const { return m_owner; }
    // The widget of control `id`; nullptr when there is none.
    QWidget* Control(int id) const;
    // Records the controls the builder made, by id.
    void SetControls(std::map<int, QWidget*> controls) { m_controls = std::move(controls); }
    // Lets an edit pass Enter and Escape on to the dialog, and report losing the focus.
    void WatchEdit(QWidget* edit, bool wantsReturn);
    // The control id a widget was built for; IDC_STATIC for any other widget.
    static int ControlIdOf(const QObject* widget);

    // DialogPeer.
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetIcon(int iconId) override;
    void PaintNow() override;
    void Show() override;
    void Hide() override;
    void EndModal(int result) override;
    void ShowMinimized() override;
    void ShowNormal() override;
    void AcceptFiles(bool accept) override;
    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetFocus(int id) override;
    int FocusId() const override;
    int ComboCount(int id) const override;
    int ComboSelection(int id) const override;
    void SelectComboItem(int id, int index) override;
    std::string ComboItem(int id, int index) const override;
    void AddComboItem(int id, const std::string& text) override;
    void DeleteComboItem(int id, int index) override;
    int ListColumnCount(int id) const override;
    void InsertListColumn(int id, int column, const std::string& heading, int width) override;
    std::string ListColumnHeading(int id, int column) const override;
    int ListColumnWidth(int id, int column) const override;
    int ListRowCount(int id) const override;
    void InsertListRow(int id, int row, const std::string& text) override;
    void SetListText(int id, int row, int column, const std::string& text) override;
    std::string ListText(int id, int row, int column) const override;
    void DeleteListRow(int id, int row) override;
    void DeleteAllListRows(int id) override;
    std::vector<int> SelectedListRows(int id) const override;
    void SelectListRow(int id, int row, bool selected) override;
    void SetProgressRange(int id, int lower, int upper) override;
    int ProgressLower(int id) const override;
    int ProgressUpper(int id) const override;
    void SetProgressPos(int id, int position) override;
    int ProgressPos(int id) const override;
    AnimationPlayer& Animation(int id) override;

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
    template <class Widget>
    Widget* ControlAs(int id) const {
        return qobject_cast<Widget*>(Control(id));
    }
    // Whether the window takes this drag: local files only, and no handler running.
    bool TakesDrop(const QDropEvent& event) const;

    CDialog& m_owner;
    ClientArea* m_client;
    std::map<int, QWidget*> m_controls;
    bool m_finishing = false;
};

}  // namespace scx
