#include "sortedlistbox.h"

namespace ui {
namespace {

class CaseInsensitiveItem : public QListWidgetItem {
public:
    explicit CaseInsensitiveItem(const QString& text) : QListWidgetItem(text) {}

    bool operator<(const QListWidgetItem& other) const override
    {
        const QString a = text();
        const QString b = other.text();
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;  // a fixed order for names that differ only in case
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

} // namespace ui
