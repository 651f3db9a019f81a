// A top-level window with a retained client-area image.
#include "Form.h"

#include "Guard.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace platform {

bool MouseState::isPlainLeft() const {
    constexpr auto keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return button == Qt::LeftButton && buttons == Qt::LeftButton && (modifiers & keys) == 0 &&
           !doubleClick;
}

ClientArea::ClientArea(Form& form) : QWidget(&form), form_(form) {
    setObjectName("clientArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::paintEvent(QPaintEvent*) {
    form_.growImage();
    form_.imageCanvas_->finish();
    QPainter p(this);
    p.drawImage(0, 0, form_.image_);
}

void ClientArea::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    if (event->added() || event->removed())
        form_.imageCanvas_->clipChanged();
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Move:
    case QEvent::Resize:
        if (watched->parent() == this)
            form_.imageCanvas_->clipChanged();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ClientArea::onControl(const QMouseEvent* event) const {
    return childAt(event->position().toPoint()) != nullptr;
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    if (onControl(event)) {
        event->ignore();
        return;
    }
    pressed_ = event->button() == Qt::LeftButton;
    MouseState state{event->button(),
                     event->buttons(),
                     event->modifiers(),
                     false,
                     event->position().toPoint().x(),
                     event->position().toPoint().y()};
    guarded([&] { form_.clientMouseDown(state); });
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onControl(event)) {
        event->ignore();
        return;
    }
    pressed_ = false;
    MouseState state{event->button(),
                     event->buttons(),
                     event->modifiers(),
                     true,
                     event->position().toPoint().x(),
                     event->position().toPoint().y()};
    guarded([&] { form_.clientMouseDown(state); });
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    bool click = pressed_ && event->button() == Qt::LeftButton &&
                 rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        guarded([&] { form_.clientClicked(); });
}

Form::Form(const QString& name, const QString& caption, int width, int height)
    : client_(new ClientArea(*this)) {
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(width, height);
    layoutClient();
    image_ =
        QImage(std::max(1, client_->width()), std::max(1, client_->height()), QImage::Format_RGB32);
    image_.fill(palette().color(QPalette::Window));
    imageCanvas_ = std::make_unique<ImageCanvas>(image_, [this] { client_->update(); });
    imageCanvas_->setFont(font());
    imageCanvas_->setBackground(palette().color(QPalette::Window).rgb() & 0xFFFFFFu);
    imageCanvas_->setClip([this] { return drawableRegion(); });
}

QRegion Form::drawableRegion() const {
    QRegion region(image_.rect());
    for (QObject* child : client_->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control != nullptr && !control->isHidden())
            region -= control->geometry();
    }
    return region;
}

Form::~Form() {
    detachExitHandlers(this);
    // The client area and its controls go first: their last events still reach the canvas.
    delete client_;
}

QWidget* Form::clientArea() const {
    return client_;
}

ImageCanvas& Form::imageCanvas() {
    growImage();
    return *imageCanvas_;
}

Canvas& Form::canvas() {
    growImage();
    return override_ != nullptr ? *override_ : *imageCanvas_;
}

QImage Form::canvasImage() {
    growImage();
    imageCanvas_->finish();
    return image_.copy(0, 0, client_->width(), client_->height());
}

QMenuBar* Form::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setObjectName("menuBar");
        layoutClient();
    }
    return menuBar_;
}

void Form::layoutClient() {
    int top = 0;
    if (menuBar_ != nullptr) {
        top = menuBar_->sizeHint().height();
        menuBar_->setGeometry(0, 0, width(), top);
    }
    client_->setGeometry(0, top, width(), std::max(1, height() - top));
}

// The image only grows, so that a picture survives the window being made smaller and larger.
void Form::growImage() {
    int w = std::max(image_.width(), client_->width());
    int h = std::max(image_.height(), client_->height());
    if (w == image_.width() && h == image_.height())
        return;
    imageCanvas_->finish();
    QImage grown(w, h, QImage::Format_RGB32);
    grown.fill(palette().color(QPalette::Window));
    {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(grown);
    imageCanvas_->clipChanged();
}

void Form::setPlacement(Placement placement, QPoint designPosition) {
    placement_ = placement;
    designPosition_ = designPosition;
}

void Form::showWindow() {
    if (!placed_) {
        placed_ = true;
        if (placement_ == Placement::Design) {
            move(designPosition_);
        } else if (placement_ == Placement::Centred) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect area = screen->availableGeometry();
                move(area.center() - QPoint(width() / 2, height() / 2));
            }
        }
    }
    show();
    raise();
    activateWindow();
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        imageCanvas_->setFont(font());
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded([this] { activated(); });
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    if (main_)
        QCoreApplication::quit();
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutClient();
}

} // namespace platform
