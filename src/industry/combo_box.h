#pragma once
#include <QComboBox>
#include <QStringList>

class QStringListModel;

namespace kiv {

// A drop-down combo: a list and a text part the user can also type into.
// - Click: the user chose an entry (from the open list, or with the arrow keys or the wheel on
//   the closed box). Typing, Enter and leaving the box never choose an entry, even when the
//   typed text equals one, and never add one.
// - Writing the box from code (entries, text, selected entry) runs no handler.
// - A sorted box keeps its entries in list order (letters without regard to case) whatever
//   the order of adding; equal entries keep the order in which they came.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    ComboBox(const QString& name, QWidget* parent, bool sorted);

    bool sorted() const { return sorted_; }

    // Adds one entry (at its sorted place in a sorted box); the text part stays as it is.
    void AddItem(const QString& entry);
    // Adds many entries at once; the text part stays as it is.
    void addEntries(QStringList entries);
    // Empties the list and the text part.
    void Clear();

    QString Text() const { return currentText(); }
    // Sets the text part; the entry of exactly that text, if any, becomes the selected one,
    // otherwise none is selected.
    void setText(const QString& text);
    int ListIndex() const { return currentIndex(); }
    // Selects the entry (its text goes into the text part); -1 selects none.
    void setListIndex(int index);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    QStringList entries() const;

signals:
    void Click();

private:
    void keepText(const QString& text, int index);
    bool sorted_;
    // The entries: a plain list of texts, which takes a whole new list in one step.
    QStringListModel* model_;
};

} // namespace kiv
