#include "ui/ip_address_ctrl.h"

#include "ui/ctl_color.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kx::ui {

namespace {

constexpr int kMaxOctet = 255;

// Four numbers of 0..255 separated by dots, blanks around them aside.
bool IsDottedAddress(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != CIPAddressCtrl::kFieldCount)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value < 0 || value > kMaxOctet)
            return false;
    }
    return true;
}

void Paint(QWidget* w) {
    QPalette p = w->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        p.setColor(role, kSkinEditText);
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        p.setColor(role, kSkinEditGround);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLineEdit* MakeField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setMaxLength(3);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), field));
    Paint(field);
    return field;
}

} // namespace

CIPAddressCtrl::CIPAddressCtrl(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    Paint(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(0);
    for (int i = 0; i < kFieldCount; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            Paint(dot);
            row->addWidget(dot);
        }
        QLineEdit* field = MakeField(this);
        m_fields[static_cast<std::size_t>(i)] = field;
        row->addWidget(field, 1);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
    }
    setFocusProxy(m_fields.front());
}

// A number above 255 is brought down to 255 as it is typed; three digits move on to the
// next field.
void CIPAddressCtrl::OnFieldEdited(int index) {
    QLineEdit* field = Field(index);
    if (field->text().toInt() > kMaxOctet)
        field->setText(QString::number(kMaxOctet));
    if (field->text().size() == 3 && field->hasFocus())
        MoveToField(index + 1);
}

void CIPAddressCtrl::MoveToField(int index) {
    if (index >= kFieldCount)
        return;
    Field(index)->setFocus(Qt::TabFocusReason);
    Field(index)->selectAll();
}

int CIPAddressCtrl::IndexOf(const QObject* field) const {
    for (int i = 0; i < kFieldCount; ++i)
        if (Field(i) == field)
            return i;
    return -1;
}

bool CIPAddressCtrl::eventFilter(QObject* watched, QEvent* event) {
    const int index = IndexOf(watched);
    if (event->type() != QEvent::KeyPress || index < 0)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // A dot ends the number typed: right after a field filled itself (or with its old
    // number still selected) there is none yet, and the dot is dropped.
    if (key->text() == QLatin1String(".")) {
        const QLineEdit* field = Field(index);
        if (!field->text().isEmpty() && !field->hasSelectedText())
            MoveToField(index + 1);
        return true;
    }
    const QString pasted = QGuiApplication::clipboard()->text();
    if (key->matches(QKeySequence::Paste) && IsDottedAddress(pasted)) {
        SetText(pasted.trimmed());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void CIPAddressCtrl::SetAddress(const Octets& octets) {
    for (int i = 0; i < kFieldCount; ++i)
        Field(i)->setText(QString::number(octets[static_cast<std::size_t>(i)]));
}

void CIPAddressCtrl::SetText(const QString& dotted) {
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < kFieldCount; ++i) {
        bool ok = false;
        const int value = i < parts.size() ? parts.at(i).trimmed().toInt(&ok) : -1;
        const bool valid = ok && value >= 0 && value <= kMaxOctet;
        Field(i)->setText(valid ? QString::number(value) : QString());
    }
}

void CIPAddressCtrl::ClearAddress() {
    for (QLineEdit* field : m_fields)
        field->clear();
}

int CIPAddressCtrl::GetAddress(Octets& octets) const {
    int filled = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        const QString text = Field(i)->text();
        octets[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(text.toInt());
        if (!text.isEmpty())
            ++filled;
    }
    return filled;
}

QString CIPAddressCtrl::Text() const {
    Octets octets{};
    GetAddress(octets);
    return QString::asprintf("%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
}

} // namespace kx::ui
