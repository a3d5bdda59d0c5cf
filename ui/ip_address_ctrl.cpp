#include "ui/ip_address_ctrl.h"

#include "ui/ctl_color.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kx::ui {

namespace {

constexpr int kMaxOctet = 255;

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
    if (field->text().size() == 3 && index + 1 < kFieldCount && field->hasFocus()) {
        Field(index + 1)->setFocus(Qt::TabFocusReason);
        Field(index + 1)->selectAll();
    }
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
