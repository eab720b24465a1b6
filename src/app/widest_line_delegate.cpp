#include "app/widest_line_delegate.h"

#include <QFontMetrics>

namespace tindrel {

void WidestLineDelegate::watch(const QAbstractItemModel* model) {
    const auto forget = [this] { widest_row_.reset(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(model, &QAbstractItemModel::rowsMoved, this, forget);
    connect(model, &QAbstractItemModel::dataChanged, this, forget);
    connect(model, &QAbstractItemModel::modelReset, this, forget);
    connect(model, &QAbstractItemModel::layoutChanged, this, forget);
}

// Lines are compared by the sum of their characters' advances, looked up in a table: close
// enough to pick the widest line (kerning aside), and quick on 100 000 lines.
int WidestLineDelegate::widest_row(const QAbstractItemModel* model, const QFont& font) const {
    const QFontMetrics metrics(font);
    if (measured_font_ != font) {
        measured_font_ = font;
        for (int code = 0; code < 256; ++code) {
            advance_[static_cast<size_t>(code)] =
                metrics.horizontalAdvance(QChar(static_cast<char16_t>(code)));
        }
    }
    int widest = 0;
    int widest_width = -1;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QString line = model->index(row, 0).data(Qt::DisplayRole).toString();
        int width = 0;
        for (const QChar c : line) {
            width += c.unicode() < 256 ? advance_[c.unicode()] : metrics.horizontalAdvance(c);
        }
        if (width > widest_width) {
            widest_width = width;
            widest = row;
        }
    }
    return widest;
}

QSize WidestLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QAbstractItemModel* model = index.model();
    if (model == nullptr || model->rowCount() == 0) {
        return QStyledItemDelegate::sizeHint(option, index);
    }
    if (!widest_row_.has_value() || measured_font_ != option.font) {
        widest_row_ = widest_row(model, option.font);
    }
    return QStyledItemDelegate::sizeHint(option, model->index(*widest_row_, 0));
}

} // namespace tindrel
