#include "ui/preview_painter.h"

#include <QFontDatabase>
#include <QPainter>

namespace kx::ui {

namespace {

bool HasArea(std::int32_t width, std::int32_t height) {
    return width > 0 && height > 0;
}

// The number sits with its top-left corner 5 pixels up and left of the window's centre, in
// light grey on the small font's opaque white cell.
void DrawWindowNumber(QPainter& p, const WindowData& w) {
    const QString number = QString::number(w.iWindowNumber);
    const QFontMetrics metrics(p.font());
    const QPoint top_left(w.iWindowLeft + w.iWindowWidth / 2 - 5,
                          w.iWindowTop + w.iWindowHeight / 2 - 5);
    const QRect cell(top_left, QSize(metrics.horizontalAdvance(number), metrics.height()));
    p.fillRect(cell, Qt::white);
    p.setPen(kWindowNumberText);
    p.drawText(cell, Qt::AlignLeft | Qt::AlignTop, number);
}

void DrawWindow(QPainter& p, const WindowData& w, const QColor& frame) {
    if (!HasArea(w.iWindowWidth, w.iWindowHeight))
        return;
    p.fillRect(w.iWindowLeft, w.iWindowTop, w.iWindowWidth, w.iWindowHeight, frame);
    p.fillRect(w.iWindowLeft + kWindowFrameWidth, w.iWindowTop + kWindowFrameWidth,
               w.iWindowWidth - 2 * kWindowFrameWidth, w.iWindowHeight - 2 * kWindowFrameWidth,
               kWindowInside);
    DrawWindowNumber(p, w);
}

void DrawLabels(QPainter& p, const PreviewGeometry& g, int i) {
    const UmdData& umd = g.m_my_umd_data[i];
    if (umd.iUmdEnable == 1 && HasArea(umd.iUmdWidth, umd.iUmdHeight))
        p.fillRect(umd.iUmdLeft, umd.iUmdTop, umd.iUmdWidth, umd.iUmdHeight,
                   QColor(umd.iUmdBackRed, umd.iUmdBackGreen, umd.iUmdBackBlue));
    const AudioData& audio = g.m_my_audio_data[i];
    if (audio.iAudioEnable == 1 && HasArea(audio.iAudioWidth, audio.iAudioHeight))
        p.fillRect(audio.iAudioLeft, audio.iAudioTop, audio.iAudioWidth, audio.iAudioHeight,
                   kAudioMeter);
    const InputData& input = g.m_my_input_data[i];
    if (input.iInputEnable == 1 && HasArea(input.iInputWidth, input.iInputHeight))
        p.fillRect(input.iInputLeft, input.iInputTop, input.iInputWidth, input.iInputHeight,
                   QColor(input.iInputBackRed, input.iInputBackGreen, input.iInputBackBlue));
}

QFont NumberFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

} // namespace

QColor FrameColor(const kx7214_page_data& record) {
    if (record.kx7214_border_enable == 0)
        return Qt::black;
    switch (record.kx7214_border_color) {
    case 0:
        return QColor(0xFF, 0xFF, 0xFF);
    case 1:
        return QColor(0xFF, 0x00, 0x00);
    case 2:
        return QColor(0x00, 0xFF, 0x00);
    case 3:
        return QColor(0x00, 0x00, 0xFF);
    default:
        return Qt::black;
    }
}

QImage PaintPreview(const PreviewGeometry& geometry, const kx7214_page_data& record) {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    image.fill(kPreviewGround);
    QPainter p(&image);
    p.setFont(NumberFont());
    const QColor frame = FrameColor(record);
    for (int i = 0; i < kLineCount; ++i) {
        DrawWindow(p, geometry.m_my_window_data[i], frame);
        DrawLabels(p, geometry, i);
    }
    return image;
}

} // namespace kx::ui
