// The user's options, persisted in the per-user store (QSettings, organisation
// "Corvane", application "QRN"). The store is opened, never created: without
// it nothing is read and nothing is written. Only the UI thread calls load and
// save; worker threads get a SettingsData copy taken when a search starts.
// The only settings code that needs Qt Core; the tools and the window use it.
#pragma once

#include <string>

#include "settings/SettingsData.h"

class Settings : public SettingsData {
public:
    // Loads from the store.
    Settings();
    // Saves to the store.
    virtual ~Settings();

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    void load();
    void save() const;

    // The stored values, read without keeping an object that saves them back.
    static SettingsData readValues();

    // True when the user's store exists (an installer has created it).
    static bool storeExists();
    // What an installer does once per user: writes values into a new store.
    // Returns false, writing nothing, when the store already exists.
    static bool createStore(const SettingsData& values);
    // Where the store lives, for messages and documentation.
    static std::string storeLocation();

private:
    static void loadInto(SettingsData& values);
};
