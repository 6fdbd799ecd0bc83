#include "testsupport.h"

#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "ui/app/module1.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

namespace testsupport {

namespace {
QStringList &errors() {
    static QStringList e;
    return e;
}

QString fileOf(const QString &name) { return QDir(Module1::dataFolder()).filePath(name); }

bool answerBox(BoxSeen &seen, bool accept) {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return false;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.seen = true;
    QAbstractButton *button = nullptr;
    if (accept)
        button = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok) : box->button(QMessageBox::Yes);
    else
        button = box->button(QMessageBox::Cancel) ? box->button(QMessageBox::Cancel) : box->button(QMessageBox::No);
    if (button)
        button->click();
    else
        box->reject();
    return true;
}
} // namespace

ProgramFolder::ProgramFolder(Content content) {
    errors().clear();
    setDatabaseErrorHandler([](const QString &what) {
        qWarning("database error: %s", qPrintable(what));
        errors() << what;
    });
    Module1::setProgramFolder(m_dir.path());
    QString why;
    const bool made = content == Content::Samples ? firststart::createDataFolder(m_dir.path(), &why)
                                                  : firststart::createEmptyDataFolder(m_dir.path(), &why);
    m_ok = made && Module1::opendatabases(&why);
    if (!m_ok)
        qWarning("program folder not ready: %s", qPrintable(why));
}

ProgramFolder::~ProgramFolder() {
    closeAllWindows();
    Module1::closedatabases();
}

QString ProgramFolder::dataFile(const QString &name) const {
    return QDir(m_dir.path()).filePath(QStringLiteral("data/") + name);
}
QStringList &ProgramFolder::databaseErrors() { return errors(); }

int addProduct(const QString &name, double cost, double msrp, const QString &description, const QString &htmlpath,
               int id) {
    Database db;
    db.open(fileOf(schema::productsFile()));
    if (id < 0) {
        auto next = Module1::handoutid(Module1::Counter::Products);
        id = next.value_or(0);
    }
    db.exec(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                           "installer, phone, notes) values (?,?,?,?,?,?,'','','','')"),
            {id, name, cost, msrp, description.isEmpty() ? QVariant() : QVariant(description), htmlpath});
    return id;
}

int addTemplate(const QString &name, const QString &notes, const QList<int> &menu, const QStringList &packageNames,
                int id) {
    Database db;
    db.open(fileOf(schema::vehiclesFile()));
    if (id < 0)
        id = Module1::handoutid(Module1::Counter::Templates).value_or(0);
    QStringList names{QStringLiteral("id"), QStringLiteral("vehiclename"), QStringLiteral("notes")};
    QVariantList values{id, name, notes};
    for (int p = 0; p < 4; ++p) {
        names << QStringLiteral("package%1").arg(p + 1);
        values << packageNames.value(p);
    }
    for (int i = 0; i < 40; ++i) {
        names << schema::slotField(i / 10, i % 10);
        values << menu.value(i, 0);
    }
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    db.exec(QStringLiteral("insert into [table] (%1) values (%2)").arg(names.join(','), marks.join(',')), values);
    return id;
}

void setSetting(const QString &field, const QVariant &value) {
    Module1::dbpreferences.exec(QStringLiteral("update [table] set [%1]=?").arg(field), {value});
    Module1::readpreferences();
}

QVariant storedSetting(const QString &field) {
    const QVariantList v = column(schema::preferencesFile(), QStringLiteral("select [%1] from [table]").arg(field));
    return v.value(0);
}

QVariantList column(const QString &file, const QString &sql) {
    Database db;
    QVariantList out;
    if (!db.open(fileOf(file)))
        return out;
    QSqlQuery q(db.handle());
    if (q.exec(sql))
        while (q.next())
            out << q.value(0);
    q.finish();
    return out;
}

QList<BoxSeen> answeringBoxes(const std::function<void()> &action, const QList<bool> &answers) {
    auto seen = std::make_shared<QList<BoxSeen>>();
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [seen, answers] {
        BoxSeen one;
        const bool accept = answers.isEmpty() ? true : answers.value(seen->size(), answers.last());
        if (answerBox(one, accept))
            seen->append(one);
    });
    timer.start();
    action();
    timer.stop();
    return *seen;
}

QWidget *control(QWidget *window, const QString &name) {
    if (!window) {
        qWarning("no window to look for control %s in", qPrintable(name));
        return nullptr;
    }
    auto *w = window->findChild<QWidget *>(name);
    if (!w)
        qWarning("window %s has no control named %s", qPrintable(window->objectName()), qPrintable(name));
    return w;
}

bool click(QWidget *window, const QString &name) {
    auto *b = qobject_cast<QAbstractButton *>(control(window, name));
    if (!b) {
        qWarning("%s is not a button", qPrintable(name));
        return false;
    }
    if (!b->isEnabled()) {
        qWarning("button %s is disabled", qPrintable(name));
        return false;
    }
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

void type(QWidget *window, const QString &name, const QString &text) {
    auto *box = qobject_cast<QLineEdit *>(control(window, name));
    if (!box)
        return;
    box->setFocus();
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
}

void closeAllWindows() {
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->parentWidget())
            continue;
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace testsupport
