#pragma once
// A group box drawn as a thin light-grey rounded frame; the ground shows through its inside.
#include <QWidget>

namespace kx::ui {

class CMyGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit CMyGroupBox(const QString& caption = {}, QWidget* parent = nullptr);
    const QString& Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};

} // namespace kx::ui
