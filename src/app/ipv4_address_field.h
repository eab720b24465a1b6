#pragma once

#include <QFrame>
#include <QString>
#include <array>

class QLineEdit;

namespace tindrel {

// An IPv4 address editor: four parts of 0 to 255 with full stops between them. Typing "."
// in a part that holds digits, or a part's third digit, moves to the next part; Backspace
// at the start of a part moves back to the end of the previous one; the arrow keys cross
// between parts. A number above 255 is cut to 255.
class Ipv4AddressField final : public QFrame {
    Q_OBJECT

public:
    static constexpr int kParts = 4;

    explicit Ipv4AddressField(QWidget* parent = nullptr);

    // Always four decimal numbers joined by full stops; a blank part reads 0.
    QString text() const;
    void clear();
    QLineEdit* part(int index) const { return parts_[static_cast<size_t>(index)]; }

signals:
    void textChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int index_of(const QObject* part) const;
    void on_part_edited(int index);
    void move_to(int index, bool select_all, bool cursor_at_end);

    std::array<QLineEdit*, kParts> parts_{};
};

} // namespace tindrel
