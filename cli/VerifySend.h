// send-dump --verify: every preset of the sent dump asked back from the
// device by its number and compared with what was sent.
#pragma once

#include <chrono>
#include <string>

class MidiSession;

// Prints each mismatch on stderr and returns the exit code: 0 when the
// device holds every preset as sent.
int VerifySentDump(MidiSession& session, const std::string& path, std::chrono::milliseconds timeout);
