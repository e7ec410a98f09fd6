#include "industry/combo_box.h"

#include "industry/text_match.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

namespace kiv {

namespace {
// The entries of a list can be chosen, not edited or dragged.
class EntryModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }
};
} // namespace

ComboBox::ComboBox(const QString& name, QWidget* parent, bool sorted)
    : QComboBox(parent)
    , sorted_(sorted)
    , model_(new EntryModel(this))
{
    setObjectName(name);
    setModel(model_);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true); // an edition lists thousands of industries
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(20);
    // Leaving the text part would otherwise select an entry equal to the typed text.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

void ComboBox::keepText(const QString& text, int index)
{
    if (index < 0) {
        setCurrentIndex(-1);
        setEditText(text);
    }
}

void ComboBox::AddItem(const QString& entry)
{
    const QString text = currentText();
    const int index = currentIndex();
    int pos = count();
    if (sorted_) {
        int lo = 0, hi = count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (industry::listLess(entry, itemText(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        pos = lo;
    }
    insertItem(pos, entry);
    keepText(text, index);
}

void ComboBox::addEntries(QStringList list)
{
    if (list.isEmpty())
        return;
    if (count() > 0) {
        for (const QString& e : list)
            AddItem(e);
        return;
    }
    const QString text = currentText();
    if (sorted_)
        industry::sortList(list);
    model_->setStringList(list);
    keepText(text, -1);
}

void ComboBox::Clear()
{
    clear();
    setCurrentIndex(-1);
    clearEditText();
}

void ComboBox::setText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        setCurrentIndex(index);
        return;
    }
    setCurrentIndex(-1);
    setEditText(text);
}

void ComboBox::setListIndex(int index)
{
    setCurrentIndex(index);
}

QStringList ComboBox::entries() const
{
    return model_->stringList();
}

} // namespace kiv
