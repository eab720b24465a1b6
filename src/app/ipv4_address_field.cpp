#include "app/ipv4_address_field.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace tindrel {
namespace {

constexpr int kDigitsPerPart = 3;
constexpr int kLargestPart = 255;

// A part takes decimal digits only; its length limit keeps it to three. (Cheaper at start-up
// than a regular expression, which would be compiled for this alone.)
class DigitsOnly final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

QLineEdit* make_part(QWidget* parent, const QValidator* digits, int index) {
    auto* part = new QLineEdit(parent);
    part->setObjectName(QStringLiteral("addressPart%1").arg(index));
    part->setFrame(false);
    part->setAlignment(Qt::AlignCenter);
    part->setMaxLength(kDigitsPerPart);
    part->setValidator(digits);
    // Tab enters the address at its first part and leaves it from any part.
    part->setFocusPolicy(index == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    return part;
}

QLabel* make_dot(QWidget* parent) {
    auto* dot = new QLabel(QStringLiteral("."), parent);
    dot->setAlignment(Qt::AlignCenter);
    return dot;
}

} // namespace

Ipv4AddressField::Ipv4AddressField(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto* digits = new DigitsOnly(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    for (int i = 0; i < kParts; ++i) {
        if (i > 0) {
            row->addWidget(make_dot(this));
        }
        QLineEdit* part = make_part(this, digits, i);
        parts_[static_cast<size_t>(i)] = part;
        row->addWidget(part, 1);
        part->installEventFilter(this);
        connect(part, &QLineEdit::textEdited, this, [this, i] { on_part_edited(i); });
        connect(part, &QLineEdit::textChanged, this, &Ipv4AddressField::textChanged);
    }
    setFocusProxy(parts_[0]);
}

QString Ipv4AddressField::text() const {
    QStringList numbers;
    for (const QLineEdit* part : parts_) {
        numbers << QString::number(part->text().toInt()); // blank gives 0
    }
    return numbers.join(QLatin1Char('.'));
}

void Ipv4AddressField::clear() {
    for (QLineEdit* part : parts_) {
        part->clear();
    }
}

int Ipv4AddressField::index_of(const QObject* part) const {
    for (int i = 0; i < kParts; ++i) {
        if (parts_[static_cast<size_t>(i)] == part) {
            return i;
        }
    }
    return -1;
}

void Ipv4AddressField::move_to(int index, bool select_all, bool cursor_at_end) {
    QLineEdit* part = parts_[static_cast<size_t>(index)];
    part->setFocus(Qt::OtherFocusReason);
    if (select_all) {
        part->selectAll();
    } else {
        part->setCursorPosition(cursor_at_end ? part->text().size() : 0);
    }
}

void Ipv4AddressField::on_part_edited(int index) {
    QLineEdit* part = parts_[static_cast<size_t>(index)];
    if (part->text().toInt() > kLargestPart) {
        part->setText(QString::number(kLargestPart));
    }
    if (part->text().size() == kDigitsPerPart && part->cursorPosition() == kDigitsPerPart &&
        index + 1 < kParts) {
        move_to(index + 1, true, false);
    }
}

bool Ipv4AddressField::eventFilter(QObject* watched, QEvent* event) {
    const int index = index_of(watched);
    if (index < 0 || event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QLineEdit* part = parts_[static_cast<size_t>(index)];
    const bool at_start = part->cursorPosition() == 0 && !part->hasSelectedText();
    const bool at_end = part->cursorPosition() == part->text().size() && !part->hasSelectedText();

    switch (key->key()) {
    case Qt::Key_Period:
        // An empty part keeps the stop, so "192." after the automatic move stays in place.
        if (!part->text().isEmpty() && index + 1 < kParts) {
            move_to(index + 1, true, false);
        }
        return true;
    case Qt::Key_Backspace:
        if (at_start && index > 0) {
            move_to(index - 1, false, true);
            return true;
        }
        break;
    case Qt::Key_Left:
        if (at_start && index > 0) {
            move_to(index - 1, false, true);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (at_end && index + 1 < kParts) {
            move_to(index + 1, false, false);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tindrel
