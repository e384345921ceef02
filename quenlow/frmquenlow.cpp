#include "frmquenlow.h"

#include "dataaccess.h"
#include "frmdatalink.h"
#include "settings.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {
namespace {

const QString CheckTitle = QStringLiteral("Check ADO String:");

bool isEnter(const QKeyEvent* k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
           && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
}

} // namespace

QPixmap quenlowPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size * 0.7, x = (size - w) / 2, top = size * 0.12, h = size * 0.76, e = size * 0.2;
    QPainterPath body;
    body.moveTo(x, top + e / 2);
    body.lineTo(x, top + h - e / 2);
    body.arcTo(QRectF(x, top + h - e, w, e), 180, 180);
    body.lineTo(x + w, top + e / 2);
    body.arcTo(QRectF(x, top, w, e), 0, -180);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), size / 24.0 + 0.5));
    p.setBrush(QColor(0x5b, 0x9b, 0xd5));
    p.drawPath(body);
    p.setBrush(QColor(0xbd, 0xd7, 0xee));
    p.drawEllipse(QRectF(x, top, w, e));
    p.setBrush(Qt::NoBrush);
    for (qreal y : {top + h * 0.35, top + h * 0.62})
        p.drawArc(QRectF(x, y, w, e), 180 * 16, 180 * 16);
    return pm;
}

frmQuenlow::frmQuenlow(DataAccess& dataAccess, QWidget* parent)
    : QWidget(parent, ui::NoMaximizeWindow),
      dataAccess_(dataAccess)
{
    setObjectName(QStringLiteral("frmQuenlow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quenlow"));
    setWindowIcon(QIcon(quenlowPicture(32)));
    createControls();
    Form_Load();
}

void frmQuenlow::createControls()
{
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(quenlowPicture(32));
    lblMessage = new QLabel(QStringLiteral("Use the Get String button to build an ADO ConnectionString in the TextBox below:"));
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    txtAdoString = new QPlainTextEdit;
    txtAdoString->setObjectName(QStringLiteral("txtAdoString"));
    txtAdoString->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAdoString->setTabChangesFocus(true);
    // Enter belongs to the default button, as in the text box of a dialog.
    txtAdoString->installEventFilter(this);
    cmdGetString = new QPushButton(QStringLiteral("&Get String"));
    cmdGetString->setObjectName(QStringLiteral("cmdGetString"));
    cmdGetString->setDefault(true);
    cmdCheck = new QPushButton(QStringLiteral("C&heck String"));
    cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    cmdExit = new QPushButton(QStringLiteral("E&xit"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    // Enter on a button that has the focus presses that button; anywhere else, the default one.
    cmdCheck->setAutoDefault(true);
    cmdExit->setAutoDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdGetString);
    buttons->addWidget(cmdCheck);
    buttons->addWidget(cmdExit);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, Qt::AlignTop);
    grid->addWidget(lblMessage, 0, 1);
    grid->addWidget(txtAdoString, 1, 0, 1, 2);
    grid->addLayout(buttons, 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    setTabOrder(txtAdoString, cmdGetString);
    setTabOrder(cmdGetString, cmdCheck);
    setTabOrder(cmdCheck, cmdExit);

    ui::handle(cmdGetString, &QPushButton::clicked, this, &frmQuenlow::cmdGetString_Click);
    ui::handle(cmdCheck, &QPushButton::clicked, this, &frmQuenlow::cmdCheck_Click);
    ui::handle(cmdExit, &QPushButton::clicked, this, &frmQuenlow::cmdExit_Click);

    // A fixed single border.
    resize(560, 220);
    setFixedSize(size());
}

void frmQuenlow::Form_Load()
{
    bool topOk = false, leftOk = false;
    const int top = settings::read(settings::WindowSection, settings::TopKey, QStringLiteral("0")).trimmed().toInt(&topOk);
    const int left = settings::read(settings::WindowSection, settings::LeftKey, QStringLiteral("0")).trimmed().toInt(&leftOk);
    // A position that is not a number opens the window at the top-left corner.
    if (topOk && leftOk)
        move(left, top);
    else
        move(0, 0);
    txtAdoString->setPlainText(settings::read(settings::OptionsSection, settings::LastAdoStringKey));
}

void frmQuenlow::Form_Unload()
{
    // A minimised window keeps its place on the desktop: the place it is restored to.
    const QPoint at = pos();
    settings::write(settings::WindowSection, settings::TopKey, QString::number(at.y()));
    settings::write(settings::WindowSection, settings::LeftKey, QString::number(at.x()));
    settings::write(settings::OptionsSection, settings::LastAdoStringKey, txtAdoString->toPlainText());
}

void frmQuenlow::closeEvent(QCloseEvent* event)
{
    ui::notHandled(this, [&] { Form_Unload(); });
    event->accept();
}

void frmQuenlow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdExit->click();
        return;
    }
    if (isEnter(event)) {
        cmdGetString->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmQuenlow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtAdoString && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        cmdGetString->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmQuenlow::cmdGetString_Click()
{
    frmDataLink dataLinks(dataAccess_, this);
    if (txtAdoString->toPlainText().isEmpty()) {
        if (const auto built = dataLinks.PromptNew())
            txtAdoString->setPlainText(*built);
    } else {
        QString connectionString = txtAdoString->toPlainText();
        if (dataLinks.PromptEdit(connectionString))
            txtAdoString->setPlainText(connectionString);
    }
}

void frmQuenlow::cmdCheck_Click()
{
    ui::errorTrap(
        [&] {
            {
                ui::BusyPointer busy(this);
                dataAccess_.check(txtAdoString->toPlainText().toStdString());
            }
            ui::msgBox(this, QStringLiteral("This ADO ConnectionString is valid."), ui::Icon::Information, CheckTitle);
        },
        [&](const ads::Error& e) {
            ui::msgBox(this,
                       QStringLiteral("Connection attempt failed.  This ADO ConnectionString is either not valid, or the data store is unavailable:")
                           + QStringLiteral("\r\n\r\nError #:\t") + QString::number(e.number()) + QStringLiteral("\r\nMessage:\t")
                           + QString::fromStdString(e.description()),
                       ui::Icon::Exclamation, CheckTitle);
        });
}

void frmQuenlow::cmdExit_Click()
{
    close();
}

} // namespace quenlow
