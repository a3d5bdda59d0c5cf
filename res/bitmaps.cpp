#include "res/bitmaps.h"

#include <QPixmapCache>
#include <array>
#include <functional>

#include "res/bitmap_painters.h"
#include "res/resource_ids.h"

namespace kx::res {

namespace {

struct BitmapEntry {
    int id;
    QSize size;
    std::function<QImage(QSize)> paint;
};

std::function<QImage(QSize)> Tab(TabIcon icon, const char* label, bool selected) {
    return [=](QSize s) { return PaintTab(s, icon, label, selected); };
}

// Adding a bitmap is one entry here.
const std::vector<BitmapEntry>& Entries() {
    static const std::vector<BitmapEntry> entries = {
        {IDB_PAGE_GROUND, {590, 500}, PaintUniformGround},
        {IDB_MAIN_GROUND, {800, 720}, PaintMainGround},
        {IDB_PAGE_BACKGROUND, {586, 222}, PaintUniformGround},
        {IDB_MINIMIZE, {40, 25}, PaintMinimizeGlyph},
        {IDB_CLOSE, {40, 25}, PaintCloseGlyph},
        {IDB_TAB_STATUS, {50, 65}, Tab(TabIcon::Status, "STATUS", false)},
        {IDB_TAB_STATUS + 1, {50, 65}, Tab(TabIcon::Status, "STATUS", true)},
        {IDB_TAB_SCALE, {100, 65}, Tab(TabIcon::Scale, "SCALING/OUTPUT", false)},
        {IDB_TAB_SCALE + 1, {100, 65}, Tab(TabIcon::Scale, "SCALING/OUTPUT", true)},
        {IDB_TAB_OVERLAY, {80, 65}, Tab(TabIcon::Overlay, "UMD OVERLAY", false)},
        {IDB_TAB_OVERLAY + 1, {80, 65}, Tab(TabIcon::Overlay, "UMD OVERLAY", true)},
        {IDB_TAB_AUDIO, {80, 65}, Tab(TabIcon::Audio, "AUDIO METER", false)},
        {IDB_TAB_AUDIO + 1, {80, 65}, Tab(TabIcon::Audio, "AUDIO METER", true)},
        {IDB_TAB_SETTING, {65, 65}, Tab(TabIcon::Setting, "FUNC", false)},
        {IDB_TAB_SETTING + 1, {75, 65}, Tab(TabIcon::Setting, "FUNC", true)},
        {IDB_TAB_INPUT, {95, 65}, Tab(TabIcon::Input, "OSD\nSTATUS DISPLAY", false)},
        {IDB_TAB_INPUT + 1, {95, 65}, Tab(TabIcon::Input, "OSD\nSTATUS DISPLAY", true)},
    };
    return entries;
}

// The sixteen layout pictures, each normal and selected.
const std::vector<BitmapEntry>& LayoutEntries() {
    static const std::vector<BitmapEntry> entries = [] {
        std::vector<BitmapEntry> list;
        for (int k = 0; k < kLayoutPictureCount; ++k)
            for (bool selected : {false, true})
                list.push_back({LayoutBitmapId(k, selected), LayoutPictureSize(k, selected),
                                [=](QSize s) { return PaintLayoutPicture(s, k, selected); }});
        return list;
    }();
    return entries;
}

const BitmapEntry* Find(int id) {
    for (const auto* list : {&Entries(), &LayoutEntries()})
        for (const BitmapEntry& e : *list)
            if (e.id == id)
                return &e;
    return nullptr;
}

} // namespace

QPixmap LoadBitmap(int id) {
    const BitmapEntry* entry = Find(id);
    if (entry == nullptr)
        return {};
    const QString key = QStringLiteral("kx-bitmap-%1").arg(id);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap::fromImage(entry->paint(entry->size));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QSize BitmapSize(int id) {
    const BitmapEntry* entry = Find(id);
    return entry == nullptr ? QSize() : entry->size;
}

QIcon LoadAppIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 256})
        icon.addPixmap(QPixmap::fromImage(PaintAppIcon(side)));
    return icon;
}

} // namespace kx::res
