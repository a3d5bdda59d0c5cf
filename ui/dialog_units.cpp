#include "ui/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>

namespace kx::ui {

namespace {

// Room that a button and a static need around their caption.
constexpr int kButtonTextMargin = 6;
constexpr int kSmallestPixelSize = 7;

int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

bool HasCaptionToFit(const res::ControlTemplate& c) {
    if (c.caption.empty() || (c.style & res::kImageButton) != 0)
        return false;
    return c.kind == res::ControlKind::Static || c.kind == res::ControlKind::PushButton;
}

bool CaptionsFit(const res::DialogTemplate& dialog, const QFont& font) {
    const QFontMetrics metrics(font);
    const BaseUnits base = BaseUnitsFor(dialog.point_size);
    for (const res::ControlTemplate& c : dialog.controls) {
        if (!HasCaptionToFit(c))
            continue;
        const QRect r = DialogUnitsToPixels(c, base);
        const int margin = c.kind == res::ControlKind::PushButton ? kButtonTextMargin : 0;
        const QString text = QString::fromUtf8(c.caption.data(), qsizetype(c.caption.size()));
        if (metrics.horizontalAdvance(text) > r.width() - margin || metrics.height() > r.height())
            return false;
    }
    return true;
}

QFont FittedSansSerif(const res::DialogTemplate& dialog) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    int pixels = MulDivRounded(dialog.point_size, 96, 72);
    font.setPixelSize(pixels);
    while (pixels > kSmallestPixelSize && !CaptionsFit(dialog, font))
        font.setPixelSize(--pixels);
    return font;
}

} // namespace

BaseUnits BaseUnitsFor(int point_size) {
    // The templates' "MS Shell Dlg" at 8 points averages 6 x 13 pixels, at 9 points 7 x 15.
    if (point_size >= 9)
        return {7, 15};
    return {6, 13};
}

int DialogUnitsToPixelsX(int units, BaseUnits base) {
    return MulDivRounded(units, base.cx, 4);
}
int DialogUnitsToPixelsY(int units, BaseUnits base) {
    return MulDivRounded(units, base.cy, 8);
}

QRect DialogUnitsToPixels(const res::ControlTemplate& c, BaseUnits base) {
    return QRect(DialogUnitsToPixelsX(c.x, base), DialogUnitsToPixelsY(c.y, base),
                 DialogUnitsToPixelsX(c.width, base), DialogUnitsToPixelsY(c.height, base));
}

QSize DialogSizeInPixels(const res::DialogTemplate& dialog) {
    const BaseUnits base = BaseUnitsFor(dialog.point_size);
    return QSize(DialogUnitsToPixelsX(dialog.width, base),
                 DialogUnitsToPixelsY(dialog.height, base));
}

QFont DialogFont(const res::DialogTemplate& dialog) {
    static QHash<int, QFont> fonts;
    if (auto it = fonts.constFind(dialog.id); it != fonts.constEnd())
        return *it;
    const QString family =
        QString::fromUtf8(dialog.font_family.data(), qsizetype(dialog.font_family.size()));
    QFont font;
    if (QFontDatabase::families().contains(family)) {
        font = QFont(family);
        font.setPixelSize(MulDivRounded(dialog.point_size, 96, 72));
    } else {
        font = FittedSansSerif(dialog);
    }
    fonts.insert(dialog.id, font);
    return font;
}

} // namespace kx::ui
