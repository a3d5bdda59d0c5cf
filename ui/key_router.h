#pragma once
// Offers every key press to the PreTranslateMessage of the dialogs around the focused control,
// innermost first, before the control sees it; the first dialog that consumes the key ends
// the walk.
#include <QObject>

namespace kx::ui {

class KeyRouter : public QObject {
    Q_OBJECT
public:
    // Installs the router on the application once; later calls do nothing.
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace kx::ui
