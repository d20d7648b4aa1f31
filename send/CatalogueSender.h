// Sending records into the library's own catalogue: each is looked for
// there first, and sent only as the caller decides. Knows the catalogue only
// through TargetConnection, so any back end that takes records will do.
// Worker thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "marc/MarcTagPatterns.h"
#include "protocol/TargetConnection.h"
#include "send/CatalogueMatch.h"
#include "targets/TargetProfile.h"

enum class MatchChoice { Skip, Overlay, AddAnyway };

struct SendReport {
    enum class Kind { Inserted, Replaced, AlreadyThere, Refused, NotSent };
    Kind kind = Kind::NotSent;
    std::string title;  // the incoming record's
    std::string id;     // the catalogue's record replaced or found
    int diagnostic = 0;
    std::string text;   // why it was refused or not sent
};

// Pure. "inserted", "replaced ID", "already there ID",
// "refused (diagnostic N: text)", "not sent: text".
std::string sendResultText(const SendReport& report);

class CatalogueSender {
public:
    // catalogue: its connection, not yet connected. drop: the export's
    // clean-up tags, left out of what is sent.
    CatalogueSender(TargetConnection& catalogue, const TargetProfile& profile,
                    const MarcTagPatterns& drop);

    // Connects for the duplicate check; false with failureText() when the
    // catalogue cannot be reached or refuses the login.
    bool connect();
    // The catalogue's record that incoming matches; nothing found when the
    // search fails (failureText() then says why).
    CatalogueMatch findMatch(const std::string& iso2709);
    // Sends the record as choice says when match was found, else inserts it.
    SendReport send(const std::string& iso2709, const CatalogueMatch& match, MatchChoice choice);

    const std::string& failureText() const { return failure_; }
    // The catalogue could not be reached or refused the login: nothing more
    // will go through.
    bool broken() const { return broken_; }

private:
    bool search(const std::string& pqf);

    TargetConnection& catalogue_;
    const TargetProfile& profile_;
    MarcTagPatterns drop_;
    std::string failure_;
    bool broken_ = false;
};

// Runs the sender over the records in order: decide is asked for each one
// found in the catalogue, progress after each, and shouldStop between
// records. Records not reached get no report.
std::vector<SendReport> sendRecords(
    CatalogueSender& sender, const std::vector<std::string>& records,
    const std::function<MatchChoice(size_t index, const CatalogueMatch& match)>& decide,
    const std::function<void(size_t index, const SendReport& report)>& progress,
    const std::function<bool()>& shouldStop);
