// The picture buttons of the drawing-tool frame.
#pragma once

#include <QFrame>
#include <QPixmap>

namespace zumeli {

// A square picture button of the drawing-tool frame; a bordered one is the selected tool.
class ToolButtonBox : public QFrame {
    Q_OBJECT

public:
    explicit ToolButtonBox(QWidget* parent = nullptr);
    void setPicture(const QPixmap& pixmap);
    const QPixmap& picture() const { return picture_; }
    void setBorderStyle(int style);  // 0 none, 1 fixed single
    int borderStyle() const { return frameShape() == QFrame::Box ? 1 : 0; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace zumeli
