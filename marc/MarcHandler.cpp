#include "marc/MarcHandler.h"

MarcHandler::~MarcHandler() = default;
void MarcHandler::onLeader(const MarcLeader&) {}
void MarcHandler::onRecordEnd() {}
void MarcHandler::onControlField(std::string_view, const MarcField&) {}
void MarcHandler::onSubfield(char, std::string_view) {}
void MarcHandler::onDataFieldEnd() {}
