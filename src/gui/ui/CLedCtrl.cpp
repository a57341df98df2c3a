#include "gui/ui/CLedCtrl.h"

#include "gui/ui/UiDrawing.h"

#include <QImage>
#include <QPainter>

namespace velarin {
namespace {

// The picture strip, with its magenta made transparent once instead of masking at every paint.
const QImage& Strip()
{
    static const QImage strip = [] {
        QImage image(led::kStripWidth, led::kStripHeight, QImage::Format_ARGB32);
        for (int y = 0; y < led::kStripHeight; ++y) {
            for (int x = 0; x < led::kStripWidth; ++x) {
                const uint32_t rgb = LedStripPixel(x, y);
                image.setPixel(x, y, rgb == led::kTransparent ? 0u : (0xFF000000u | rgb));
            }
        }
        return image;
    }();
    return strip;
}

} // namespace

CLedCtrl::CLedCtrl(WindowTimerFactory& timers, QWidget* parent)
    : QWidget(parent)
    , flashTimer_(timers.CreateTimer([this] { OnFlashEnd(); }))
    , blinkTimer_(timers.CreateTimer([this] { OnBlink(); }))
{
}

CLedCtrl::~CLedCtrl() = default;

void CLedCtrl::SetLed(int colour, int state, int size)
{
    colour_ = colour;
    state_ = state;
    size_ = size;
    if (state_ == led::kBlinking) {
        blinkPhase_ = 1;
        blinkTimer_->Start(blinkPeriod);
    } else {
        blinkTimer_->Stop();
    }
    Draw();
}

void CLedCtrl::SetState(int state)
{
    SetLed(colour_, state, size_);
}

void CLedCtrl::Flash(int milliseconds)
{
    if (flashing_)
        flashTimer_->Stop();
    flashing_ = 1;
    state_ = led::kLit;
    blinkTimer_->Stop();
    Draw();
    flashTimer_->Start(milliseconds);
}

void CLedCtrl::OnFlashEnd()
{
    state_ = led::kDark;
    blinkTimer_->Stop();
    Draw();
    flashTimer_->Stop();
    flashing_ = 0;
}

void CLedCtrl::OnBlink()
{
    blinkPhase_ = blinkPhase_ ? 0 : 1;
    update();
}

void CLedCtrl::Draw()
{
    update();
}

UiPoint CLedCtrl::SourceCell() const
{
    // Values outside the strip (a caller's mistake) show the top-left cell rather than reading
    // past the picture.
    UiPoint cell = LedSourceCell(colour_, state_, size_, blinkPhase_);
    if (cell.x < 0 || cell.x + led::kCell > led::kStripWidth || cell.y < 0
        || cell.y + led::kCell > led::kStripHeight)
        cell = {};
    return cell;
}

void CLedCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const UiRect target = LedTarget(width(), height());
    const UiPoint cell = SourceCell();
    painter.drawImage(
        QPoint(target.left, target.top), Strip(), QRect(cell.x, cell.y, led::kCell, led::kCell));
}

} // namespace velarin
