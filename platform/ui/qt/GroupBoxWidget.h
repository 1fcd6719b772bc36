#pragma once
// A group box drawn as the platform draws it: an etched frame whose top line runs through
// the middle of the caption. It takes no clicks and stands behind its siblings.

#include <QGroupBox>

namespace scx {

class GroupBoxWidget : public QGroupBox {
    Q_OBJECT
  public:
    GroupBoxWidget(const QString& title, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace scx
