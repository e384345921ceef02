#pragma once
// What Brevant's window tests share: controls found by name, lists read as a
// user sees them, and the directory read back afresh.
#include "brevant/form1.h"

#include "messageboxwatcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace brevanttest {

using testsupport::processEventsFor;

template <class T>
T* child(QWidget* w, const char* name)
{
    auto* c = w->findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

inline QStringList texts(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

inline QStringList sortedCaseInsensitive(QStringList l)
{
    std::sort(l.begin(), l.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return l;
}

// A fresh directory reads what the server holds now.
inline QStringList listed(const char* cls, const char* domain = "corp.test")
{
    QStringList out;
    auto c = ads::OpenSamrDirectory()->BindContainer(ads::ContainerPath(domain));
    c->SetFilter({cls});
    c->Enumerate([&](const std::string& n) { out << QString::fromStdString(n); });
    return out;
}

inline QStringList membersNow(const char* group)
{
    QStringList out;
    ads::OpenSamrDirectory()->BindGroup(ads::GroupPath("corp.test", group))->Members([&](const std::string& n) {
        out << QString::fromStdString(n);
    });
    return out;
}

inline QStringList groupsNow(const char* user)
{
    QStringList out;
    ads::OpenSamrDirectory()->BindUser(ads::UserPath("corp.test", user))->Groups([&](const std::string& n) {
        out << QString::fromStdString(n);
    });
    return out;
}

inline std::unique_ptr<ads::IADsUser> userNow(const char* user)
{
    return ads::OpenSamrDirectory()->BindUser(ads::UserPath("corp.test", user));
}

inline void press(QWidget* w, const char* button)
{
    QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
}

inline void click(QWidget* w, const char* listName, const QString& text)
{
    auto* list = child<QListWidget>(w, listName);
    const auto items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << listName << " " << text.toStdString();
    list->scrollToItem(items[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

inline QString text(QWidget* w, const char* field)
{
    return child<QLineEdit>(w, field)->text();
}

class BrevantTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new brevant::Form1(*dir);
        form->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QApplication::processEvents();
        processEventsFor(20);
    }
    QString onlyBox()
    {
        EXPECT_EQ(boxes.boxes().size(), 1u);
        if (boxes.boxes().empty())
            return {};
        EXPECT_EQ(boxes.boxes()[0].title, "Brevant");
        EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);
        const QString t = boxes.boxes()[0].text;
        boxes.clear();
        return t;
    }

    std::unique_ptr<ads::Directory> dir = ads::OpenSamrDirectory();
    brevant::Form1* form = nullptr;
    testsupport::MessageBoxWatcher boxes;
};

} // namespace brevanttest
