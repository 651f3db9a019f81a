// A top-level window whose client area is a retained image that handlers draw on, with the
// controls laid over it and the events the tool windows react to.
#pragma once

#include "Canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QMenuBar;

namespace platform {

// The mouse state at a press on the client area.
struct MouseState {
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons; // every button held at the press
    Qt::KeyboardModifiers modifiers;
    bool doubleClick = false; // the second press of a double click
    int x = 0;
    int y = 0;

    // The left button alone, no Shift, Ctrl or Alt, not the second press of a double click.
    bool isPlainLeft() const;
};

enum class Placement { Centred, Design, Default };

class Form;

class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(Form& form);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The controls' places shape where drawing may land: any change of them is watched.
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool onControl(const QMouseEvent* event) const;
    Form& form_;
    bool pressed_ = false;
};

class Form : public QWidget {
    Q_OBJECT
public:
    // `width` x `height` is the window's size in pixels, menu bar included.
    Form(const QString& name, const QString& caption, int width, int height);
    ~Form() override;

    // The widget that holds the controls and the retained image.
    QWidget* clientArea() const;
    // The retained image of the client area, as large as the client area.
    QImage canvasImage();
    // Where handlers draw: the retained image unless another canvas was put in front of it.
    Canvas& canvas();
    // Puts another canvas in front of the image (a recorder, say); nullptr restores the image.
    void setCanvas(Canvas* canvas) { override_ = canvas; }
    ImageCanvas& imageCanvas();

    // The window's menu bar, made on first use above the client area.
    QMenuBar* menuBar();

    void setPlacement(Placement placement, QPoint designPosition = {});
    // Shows the window, or brings it to the front when it is already visible.
    void showWindow();
    // Closing the main window ends the program; any other window is only hidden.
    void setMainWindow(bool main) { main_ = main; }

protected:
    // Event hooks; each runs through the handler guard.
    virtual void activated() {}
    virtual void clientClicked() {}
    virtual void clientMouseDown(const MouseState&) {}

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ClientArea;
    void layoutClient();
    // The image less the controls that lie on it.
    QRegion drawableRegion() const;
    void growImage();

    ClientArea* client_;
    QMenuBar* menuBar_ = nullptr;
    QImage image_;
    std::unique_ptr<ImageCanvas> imageCanvas_;
    Canvas* override_ = nullptr;
    Placement placement_ = Placement::Centred;
    QPoint designPosition_;
    bool placed_ = false;
    bool main_ = false;
};

} // namespace platform
