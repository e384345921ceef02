#pragma once
// Lookabout as a user meets it: the tool runs as the program does, its
// browser is driven through its controls, and what it kept and printed is
// collected. The servers are those of testenv/fileservers.
#include "lookabout/browseforfolder.h"
#include "qtprinters.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace tool {

struct Outcome {
    bool ended = false;      // the program ended by itself
    bool everShown = false;  // Form1 was ever visible
    bool formGone = false;   // Form1 was unloaded
    QString text2;           // what Text2 held last
    std::string printed;     // standard output
};

// Runs Form1's load; drive gets the browser once it is open and must close it.
// prepare may change Form1's settings before the load.
Outcome run(const std::function<void(lookabout::BrowseForFolder&)>& drive,
            lookabout::BrowseForFolder::Sources sources = {},
            const std::function<void(QWidget&)>& prepare = {});

bool waitUntil(const std::function<bool()>& done, int ms = 15000);
QTreeWidget* tree(QWidget& d);
QString status(QWidget& d);
// Follows names from the network root, expanding each level and waiting for
// its listing; nullptr when a name does not appear in time.
QTreeWidgetItem* open(QWidget& d, const QStringList& names, int ms = 15000);
QStringList childNames(QTreeWidgetItem* item);
void choose(QWidget& d, QTreeWidgetItem* item);
void click(QWidget& d, const char* button);
void type(QWidget& d, const QString& text);
// Answers the next logon prompt with these credentials, as a user would.
void answerLogon(const QString& user, const QString& password);

} // namespace tool
