#pragma once
// The composer's window as a user meets it, with the real ODBC layer.
#include "quenlow/frmquenlow.h"
#include "quenlow/odbc.h"

#include "messageboxwatcher.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace testwindow {

class Window {
public:
    // A short login timeout keeps the silent-server case quick.
    Window() : odbc_(3), form(new quenlow::frmQuenlow(odbc_))
    {
        form->show();
        QApplication::setActiveWindow(form);
        QTest::qWaitForWindowExposed(form);
    }
    ~Window() { close(); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    QPlainTextEdit* box() const { return form->findChild<QPlainTextEdit*>("txtAdoString"); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    void close()
    {
        if (form)
            form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Presses "Check String" and returns the one message it shows.
    testsupport::SeenBox check(const QString& text)
    {
        box()->setPlainText(text);
        testsupport::MessageBoxWatcher boxes;
        click("cmdCheck");
        boxes.waitFor(1, 30000);
        testsupport::processEventsFor(20);
        if (boxes.boxes().size() != 1)
            return {"", QString("%1 message boxes").arg(boxes.boxes().size()), QMessageBox::NoIcon};
        return boxes.boxes()[0];
    }

private:
    quenlow::Odbc odbc_;

public:
    QPointer<quenlow::frmQuenlow> form;
};

} // namespace testwindow
