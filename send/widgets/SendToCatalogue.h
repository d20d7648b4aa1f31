// The Send to Catalogue command on records of the document. UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "targets/TargetList.h"

class DocumentCore;
class QWidget;

// Pure. The target marked as the library's own catalogue, or nullptr.
const Target* homeCatalogue(const TargetList& list);

// Sends the MARC records among recordNumbers to the home catalogue through
// the Send to Catalogue dialog; says so when no target is the home one or no
// record is MARC.
void sendToCatalogue(DocumentCore& doc, const std::vector<int32_t>& recordNumbers,
                     QWidget* parent);
