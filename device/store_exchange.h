#pragma once
// What an exchange with the keypad takes from the configuration store and what it gives back,
// on the GUI thread, so that no edit is lost to an exchange that ran while the user edited.
#include "device/link_types.h"
#include "device/store.h"

namespace device
{

// Copies of every flagged record of the format in use with their edit stamps (a key record's
// header names the slot and layer it is written to), and of the extended LED state when it
// changed.
SaveJob saveJob(const ConfigStore &store);
// Clears the flag of every record the download wrote and committed, unless it was edited
// since its copy was taken; the LED flag likewise. Returns the changes still to send.
int applySave(ConfigStore &store, const SaveJob &job, const SaveOutcome &outcome);
// Stores each record read, unless it was edited since the read-back was asked for or, with
// `keepFlagged`, is waiting to be sent. Returns how many were stored.
int applyView(ConfigStore &store, const ViewOutcome &outcome, bool keepFlagged);
// Takes the keypad's LED state of the layer unless the LED state was edited since the query or
// is waiting to be sent. True when taken.
bool applyLed(ConfigStore &store, const LedOutcome &outcome);
// Flagged records plus, on an extended keypad, the LED state when flagged.
int pendingChanges(const ConfigStore &store);

} // namespace device
