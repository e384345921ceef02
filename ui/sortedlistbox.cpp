#include "sortedlistbox.h"

#include <QComboBox>

#include <algorithm>

namespace ui {
namespace {

bool caseInsensitiveLess(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;  // a fixed order for names that differ only in case
}

class CaseInsensitiveItem : public QListWidgetItem {
public:
    explicit CaseInsensitiveItem(const QString& text) : QListWidgetItem(text) {}

    bool operator<(const QListWidgetItem& other) const override
    {
        return caseInsensitiveLess(text(), other.text());
    }
};

} // namespace

SortedListBox::SortedListBox(QWidget* parent) : QListWidget(parent)
{
    setSortingEnabled(true);
}

void SortedListBox::addItem(const QString& text)
{
    QListWidget::addItem(new CaseInsensitiveItem(text));
}

void SortedListBox::addItems(const QStringList& texts)
{
    setSortingEnabled(false);
    for (const QString& t : texts)
        QListWidget::addItem(new CaseInsensitiveItem(t));
    setSortingEnabled(true);
    sortItems(Qt::AscendingOrder);
}

QStringList SortedListBox::texts() const
{
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

QString selectedText(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void addSortedItem(QComboBox* combo, const QString& text)
{
    int lo = 0, hi = combo->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (caseInsensitiveLess(combo->itemText(mid), text) || combo->itemText(mid) == text)
            lo = mid + 1;
        else
            hi = mid;
    }
    // Inserting into the list must not replace what the user sees typed in the box.
    const QString shown = combo->currentText();
    combo->insertItem(lo, text);
    if (combo->isEditable() && combo->currentText() != shown)
        combo->setEditText(shown);
}

} // namespace ui
