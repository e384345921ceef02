#pragma once
// A sorted list box that sorts as a user reads the alphabet: without regard
// to letter case ("alice" before "Bob"), as the account lists expect.
#include <QListWidget>

class QComboBox;

namespace ui {

class SortedListBox : public QListWidget {
    Q_OBJECT

public:
    explicit SortedListBox(QWidget* parent = nullptr);

    // The only ways to add entries: they keep the order above.
    void addItem(const QString& text);
    void addItems(const QStringList& texts);

    QStringList texts() const;
};

// The text of the entry that the user sees selected, or an empty text.
QString selectedText(const QListWidget* list);

// Adds an entry to a combo box's list at its place in the same order.
void addSortedItem(QComboBox* combo, const QString& text);

} // namespace ui
