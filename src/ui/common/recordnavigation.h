#pragma once
// What the product editor and the template editor share: the move buttons, Save, Copy Record and
// Delete with their questions, and storing what is shown before every move and before leaving.

#include "core/store/recordwalk.h"
#include "core/store/settings.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/serveraccount.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <memory>

template <class Value> class RecordNavigation {
public:
    struct Editor {
        std::function<Value()> shown;            // the record as the window's boxes show it
        std::function<void(const Value &)> show; // fills the boxes from a record
        std::function<void()> leave;             // closes or hides the window and goes back to its list
    };

    struct Buttons {
        QAbstractButton *save, *remove, *first, *previous, *next, *last, *copy, *exit;
    };

    RecordNavigation(Program &app, QWidget *window, Counter counter, Editor editor)
        : m_app(app), m_window(window), m_counter(counter), m_editor(std::move(editor)) {}

    // Stands on the walk's current record and shows it. What an earlier walk showed is stored first.
    void open(std::unique_ptr<RecordWalk<Value>> walk) {
        release();
        m_walk = std::move(walk);
        if (hasRecord())
            m_editor.show(m_walk->current());
    }
    // Stores what is shown and lets go of the walk; true when a record was stored.
    bool release() {
        const bool stored = save();
        m_walk.reset();
        return stored;
    }
    bool hasRecord() const { return m_walk && m_walk->hasCurrent(); }

    // The editor's buttons, each to its command.
    void connectButtons(const Buttons &b) {
        QObject::connect(b.save, &QAbstractButton::clicked, m_window, [this] { saveAndTell(); });
        QObject::connect(b.remove, &QAbstractButton::clicked, m_window, [this] { remove(); });
        QObject::connect(b.first, &QAbstractButton::clicked, m_window, [this] { first(); });
        QObject::connect(b.previous, &QAbstractButton::clicked, m_window, [this] { previous(); });
        QObject::connect(b.next, &QAbstractButton::clicked, m_window, [this] { next(); });
        QObject::connect(b.last, &QAbstractButton::clicked, m_window, [this] { last(); });
        QObject::connect(b.copy, &QAbstractButton::clicked, m_window, [this] { copy(); });
        QObject::connect(b.exit, &QAbstractButton::clicked, m_window, [this] { exit(); });
        // Ending the program while the editor is open does not lose what it shows.
        QObject::connect(&m_app, &Program::leaving, m_window, [this] { save(); });
        // A login that may only read walks the records: nothing it types could be stored.
        if (!mayStore())
            for (QWidget *control : m_window->findChildren<QWidget *>())
                if ((qobject_cast<QLineEdit *>(control) || qobject_cast<QPlainTextEdit *>(control) ||
                     qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractButton *>(control)) &&
                    !QList<QWidget *>{b.first, b.previous, b.next, b.last, b.exit}.contains(control))
                    serveraccount::keepFromChanging(control);
    }

    // Whether this login may change the records walked (on a server, as its privileges say).
    bool mayStore() const {
        return m_app.store().mayChange(m_counter == Counter::Products ? Store::What::Catalogue
                                                                      : Store::What::Templates);
    }

    // Stores what is shown into the record stood on; false when there is none, it has gone, this login may
    // not change it, or the user kept what another desk stored meanwhile.
    bool save() { return mayStore() && storeShown() == StoreOutcome::Stored; }
    // "Save": tells the user whether the record was stored.
    void saveAndTell() {
        if (!mayStore())
            return;
        const int told = m_app.failuresTold();
        const StoreOutcome outcome = storeShown();
        if (outcome == StoreOutcome::Stored)
            prompts::notice(QCoreApplication::translate("RecordNavigation", "Record Saved"), m_window);
        else if (outcome != StoreOutcome::ChangedElsewhere && m_app.failuresTold() == told)
            tellNotSaved();
    }

    // At either end the editor stays on the end record.
    void first() { move(&RecordWalk<Value>::first); }
    void previous() { move(&RecordWalk<Value>::previous); }
    void next() { move(&RecordWalk<Value>::next); }
    void last() { move(&RecordWalk<Value>::last); }

    // "Copy Record": stores what is shown, then stores it again under a new id and stands on the copy.
    void copy() {
        if (prompts::confirm(QCoreApplication::translate("RecordNavigation", "Copy Record?"), m_window) != 1)
            return;
        if (saveBeforeGoing() != StoreOutcome::Stored)
            return;
        Value copy = m_editor.shown();
        const std::optional<qint32> id = m_app.drawId(m_counter, m_window);
        if (!id)
            return;
        copy.id = *id;
        if (m_walk->addAndStandOn(copy))
            m_editor.show(m_walk->current());
    }

    // "Delete": the shown values are not stored first.
    void remove() {
        if (prompts::confirm(QCoreApplication::translate("RecordNavigation", "Delete Current Record?"), m_window) != 1)
            return;
        if (hasRecord())
            m_walk->remove();
        m_walk.reset();
        m_editor.leave();
    }

    // "EXIT": stores what is shown and goes back to the list; false when the editor stays: the dealership
    // server could not be reached (it keeps what it shows) or the user kept what another desk stored (it
    // shows that).
    bool exit() {
        if (staysAfter(saveBeforeGoing()))
            return false;
        m_walk.reset();
        m_editor.leave();
        return true;
    }

private:
    void tellNotSaved() {
        prompts::notice(
            QCoreApplication::translate("RecordNavigation", "This record no longer exists, so nothing was saved."),
            m_window);
    }
    // Another copy of the program may have deleted the record meanwhile: the user hears that the changes
    // shown were not stored rather than lose them without a word. A failure of the store itself (the server
    // away or refusing) was told already.
    StoreOutcome saveBeforeGoing() {
        if (!hasRecord())
            return StoreOutcome::Gone;
        if (!mayStore()) // a login that may only read walks on
            return StoreOutcome::Stored;
        const int told = m_app.failuresTold();
        const StoreOutcome outcome = storeShown();
        if (outcome != StoreOutcome::Stored && outcome != StoreOutcome::ChangedElsewhere &&
            m_app.failuresTold() == told)
            tellNotSaved();
        return outcome;
    }
    // Whether a move or EXIT stays on the record after trying to store it: the user is to see what another
    // desk stored, or what the server did not get is not to be lost.
    bool staysAfter(StoreOutcome outcome) const {
        return outcome == StoreOutcome::ChangedElsewhere ||
               (outcome != StoreOutcome::Stored && m_app.store().connectionLost());
    }
    // Stores what is shown. When another desk stored the record after this editor showed it, the user
    // chooses: "Keep Theirs" shows the stored record and stores nothing (ChangedElsewhere), "Save Mine"
    // stores what is shown over it (asked again should yet another store come in between).
    StoreOutcome storeShown() {
        if (!hasRecord())
            return StoreOutcome::Gone;
        StoreOutcome outcome;
        while ((outcome = m_walk->store(m_editor.shown())) == StoreOutcome::ChangedElsewhere) {
            const QString changed =
                m_counter == Counter::Products
                    ? QCoreApplication::translate("RecordNavigation",
                                                  "This product was changed at another desk after you opened it.")
                    : QCoreApplication::translate("RecordNavigation",
                                                  "This template was changed at another desk after you opened it.");
            if (prompts::choose(changed, QCoreApplication::translate("RecordNavigation", "Keep Theirs"),
                                QCoreApplication::translate("RecordNavigation", "Save Mine"), m_window)) {
                m_editor.show(m_walk->current());
                break;
            }
        }
        return outcome;
    }
    void move(void (RecordWalk<Value>::*step)()) {
        if (!m_walk || staysAfter(saveBeforeGoing()))
            return;
        (m_walk.get()->*step)();
        if (hasRecord())
            m_editor.show(m_walk->current());
    }

    Program &m_app;
    QWidget *m_window;
    Counter m_counter;
    Editor m_editor;
    std::unique_ptr<RecordWalk<Value>> m_walk;
};
