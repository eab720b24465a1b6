#pragma once

#include <QStyledItemDelegate>
#include <array>
#include <optional>

namespace tindrel {

// Sizes every row of a one-column list like its widest line. A list view that takes one
// row's size for all rows (uniform item sizes, which keeps 100 000 lines quick to lay out)
// then still scrolls sideways far enough for the longest entry, wherever it stands.
class WidestLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Follows the model's changes; call once the view has its model.
    void watch(const QAbstractItemModel* model);

private:
    int widest_row(const QAbstractItemModel* model, const QFont& font) const;

    mutable std::optional<int> widest_row_;
    mutable std::optional<QFont> measured_font_; // the font advance_ holds
    mutable std::array<int, 256> advance_{};
};

} // namespace tindrel
