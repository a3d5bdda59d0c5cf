#include "ui/key_router.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "ui/dialog.h"

namespace kx::ui {

namespace {

// The key is delivered to the focused control first and then, while unhandled, to its
// parents; the walk belongs to that first delivery only.
bool IsFirstDelivery(const QWidget* target) {
    const QWidget* focus = QApplication::focusWidget();
    return target == focus || (focus == nullptr && target->isWindow());
}

std::vector<QPointer<CDialog>> DialogsAround(QWidget* target) {
    std::vector<QPointer<CDialog>> dialogs;
    for (QWidget* w = target; w != nullptr; w = w->parentWidget())
        if (auto* dialog = qobject_cast<CDialog*>(w))
            dialogs.emplace_back(dialog);
    return dialogs;
}

} // namespace

void KeyRouter::Install() {
    static QPointer<KeyRouter> router;
    if (router || QCoreApplication::instance() == nullptr)
        return;
    router = new KeyRouter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(router);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (!IsFirstDelivery(target))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // A dialog may destroy others while it handles the key; those are skipped.
    for (const QPointer<CDialog>& dialog : DialogsAround(target))
        if (dialog && !dialog->IsDestroyed() && dialog->PreTranslateMessage(key))
            return true;
    return false;
}

} // namespace kx::ui
