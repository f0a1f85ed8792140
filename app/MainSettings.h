#pragma once

#include "settings/SettingsStore.h"

class EventLog;
class TMainForm;

// The main window's values in the settings store: read into its controls at
// creation, saved from them at close, and the toggles stored as soon as the
// user changes them. The names, kinds and defaults are those of
// settings/SettingsValues.h.
class MainSettings
{
public:
    MainSettings(TMainForm& form, SettingsStore& store, EventLog& log);

    void ReadSettings();
    void SaveSettings();
    // Connects the toggles whose value is stored on change.
    void connectOnChangeWriters();

private:
    void readValues(const SettingsStore::Session& session);
    void applyValues();
    void writeValues(SettingsStore::Session& session);

    TMainForm& m_form;
    SettingsStore& m_store;
    EventLog& m_log;
};
