#pragma once
// An address control: four fields of 0..255 separated by dots. A blank field reads as 0. A dot
// typed after a number moves on to the next field, and a pasted dotted address fills all four.
#include <QFrame>
#include <array>
#include <cstdint>

class QLineEdit;

namespace kx::ui {

class CIPAddressCtrl : public QFrame {
    Q_OBJECT
public:
    static constexpr int kFieldCount = 4;
    using Octets = std::array<std::uint8_t, kFieldCount>;

    explicit CIPAddressCtrl(QWidget* parent = nullptr);

    void SetAddress(const Octets& octets);
    // A dotted address "a.b.c.d"; a part that is not a number of 0..255 leaves its field blank.
    void SetText(const QString& dotted);
    void ClearAddress();
    // The four octets, blank fields as 0; returns how many fields are not blank.
    int GetAddress(Octets& octets) const;
    QString Text() const;
    QLineEdit* Field(int index) const { return m_fields.at(static_cast<std::size_t>(index)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFieldEdited(int index);
    void MoveToField(int index);
    int IndexOf(const QObject* field) const;

    std::array<QLineEdit*, kFieldCount> m_fields{};
};

} // namespace kx::ui
