#pragma once
// The settings record in `preferences.mdb`: read, written, and the id counters drawn from.

#include "core/store/settings.h"

#include <QString>
#include <optional>

class Database;
class StoreEvents;

class SettingsRepository {
public:
    SettingsRepository(Database &db, StoreEvents &events) : m_db(db), m_events(events) {}

    // Why the settings record cannot be used ("" when it can): no record, a field without a value, or
    // a counter or rate out of range. Checked once when the file is opened.
    QString problem() const;

    Settings read() const;
    // Writes every value. A counter is never lowered below the stored one, so writing cannot undo an
    // id another copy of the program has drawn meanwhile.
    bool write(const Settings &settings);

    struct Drawn {
        std::optional<qint32> id; // the first id drawn; nothing when no id could be drawn
        bool exhausted = false;   // too few ids were left below the largest; nothing was drawn
        Settings settings;        // the settings as stored after the draw
    };
    // Draws the next `count` ids (id .. id + count - 1) in one short write transaction: the settings
    // re-read, the counter raised and written back, committed before the caller stores the records that
    // use them. Ids are never handed out twice, even when the caller then stores nothing.
    Drawn draw(Counter counter, qint32 count = 1);

private:
    Settings shared() const; // the dealership's record as stored

    Database &m_db;
    StoreEvents &m_events;
};
