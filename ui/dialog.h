#pragma once
// The dialog layer: a dialog built from a template, its controls found by id, their
// notifications routed to the dialog's handlers, key presses offered to PreTranslateMessage
// before the control sees them, and PostNcDestroy once the window is gone.
#include <QDialog>
#include <QHash>
#include <QRegion>

#include "res/dialog_template.h"
#include "ui/ctl_color.h"

class QKeyEvent;

namespace kx::ui {

enum class Notify { Clicked, SelChange, SetFocus, KillFocus, Update };

class CDialog : public QDialog {
    Q_OBJECT
public:
    CDialog(const res::DialogTemplate& dialog_template, QWidget* parent);
    ~CDialog() override;

    // Builds the controls, runs OnInitDialog and asks every control for its colours.
    // OnInitDialog's answer says whether the first control takes the focus.
    void Create();

    QWidget* GetDlgItem(int id) const;
    template <class T> T* DlgItem(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Places a control in client pixels.
    void MoveItem(int id, const QRect& pixels);

    // Destroys the window and, before it, the dialogs inside it; each one's PostNcDestroy runs
    // once its window is gone. Notifications stop at once.
    void DestroyWindow();
    bool IsDestroyed() const { return m_destroyed; }

    const res::DialogTemplate& Template() const { return m_template; }
    bool IsChildDialog() const { return m_template.child; }

    // Offered every key press aimed at this dialog or a control inside it, innermost dialog
    // first; true consumes the key. A dialog of its own (not a child) ends with the standard
    // dialog keys: Escape cancels, Enter presses the focused button or else ends with OK.
    virtual bool PreTranslateMessage(QKeyEvent* key);

    // Asks every control again for its colours.
    void ApplyControlColors();

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnCommand(int id, Notify code);
    // Runs on the window after any control in it (a page's included) has notified and been
    // handled: what the window derives from its state may have changed.
    virtual void OnControlNotified() {}
    virtual CtlColor OnCtlColor(QWidget* control, int id, CtlType type);
    virtual void OnEraseBkgnd(QPainter& painter);
    virtual void OnPaint(QPainter& painter);
    virtual void OnLButtonDown(QMouseEvent* event);
    // Runs once the window is gone. A dialog owned by its creator does nothing here; pages and
    // the device page container delete themselves.
    virtual void PostNcDestroy();
    // Deletes the object once control returns to the event loop.
    void DeleteSelf() { deleteLater(); }
    virtual void OnOK();
    virtual void OnCancel();

    // The region being repainted, while OnEraseBkgnd and OnPaint run.
    const QRegion& PaintRegion() const { return m_paint_region; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateControl(const res::ControlTemplate& control);
    void Connect(QWidget* widget, int id);
    void Dispatch(int id, Notify code);
    bool StandardDialogKey(QKeyEvent* key);

    const res::DialogTemplate& m_template;
    QHash<int, QWidget*> m_items;
    QRegion m_paint_region;
    bool m_destroyed = false;
};

} // namespace kx::ui
