#include "tool.h"

#include "lookabout/form1.h"
#include "messageboxwatcher.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <sstream>

namespace tool {

namespace {

// Remembers whether a widget was ever shown.
class ShowWatcher : public QObject {
public:
    bool shown = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            shown = true;
        return QObject::eventFilter(o, e);
    }
};

} // namespace

Outcome run(const std::function<void(lookabout::BrowseForFolder&)>& drive,
            lookabout::BrowseForFolder::Sources sources, const std::function<void(QWidget&)>& prepare)
{
    Outcome o;
    std::ostringstream out;
    auto* form = new lookabout::Form1(sources, out);
    ShowWatcher shows;
    form->installEventFilter(&shows);
    QObject::connect(form->findChild<QLineEdit*>("Text2"), &QLineEdit::textChanged,
                     [&o](const QString& t) { o.text2 = t; });
    if (prepare)
        prepare(*form);
    QPointer<lookabout::Form1> alive(form);
    QTimer::singleShot(0, form, &lookabout::Form1::load);
    QTimer::singleShot(0, [&] {
        lookabout::BrowseForFolder* d = nullptr;
        waitUntil([&] {
            d = qobject_cast<lookabout::BrowseForFolder*>(QApplication::activeModalWidget());
            return d != nullptr;
        });
        if (alive && alive->isVisible())
            shows.shown = true;
        if (d)
            drive(*d);
    });
    o.ended = testsupport::runUntilProgramEnds(120000);
    o.everShown = shows.shown;
    o.printed = out.str();
    o.formGone = alive.isNull();
    return o;
}

bool waitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QTreeWidget* tree(QWidget& d)
{
    return d.findChild<QTreeWidget*>("tvwNetwork");
}

QString status(QWidget& d)
{
    return d.findChild<QLabel*>("lblStatus")->text();
}

QStringList childNames(QTreeWidgetItem* item)
{
    QStringList n;
    for (int i = 0; item && i < item->childCount(); ++i)
        n << item->child(i)->text(0);
    return n;
}

QTreeWidgetItem* open(QWidget& d, const QStringList& names, int ms)
{
    QTreeWidgetItem* item = tree(d)->topLevelItem(0);
    for (const auto& name : names) {
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        waitUntil(
            [&] {
                for (int i = 0; i < item->childCount(); ++i) {
                    if (item->child(i)->text(0) == name)
                        next = item->child(i);
                }
                return next != nullptr;
            },
            ms);
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

void choose(QWidget& d, QTreeWidgetItem* item)
{
    tree(d)->setCurrentItem(item);
    click(d, "cmdOK");
}

void click(QWidget& d, const char* button)
{
    QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
}

void type(QWidget& d, const QString& text)
{
    auto* field = d.findChild<QLineEdit*>("txtName");
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

void answerLogon(const QString& user, const QString& password)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, user, password] {
        auto* prompt = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!prompt || prompt->objectName() != "LogonPrompt")
            return;
        timer->stop();
        timer->deleteLater();
        prompt->findChild<QLineEdit*>("txtUser")->setText(user);
        prompt->findChild<QLineEdit*>("txtPassword")->setText(password);
        QTest::mouseClick(prompt->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    timer->start(20);
}

} // namespace tool
