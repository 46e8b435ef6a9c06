#pragma once
// Moving a layout in and out of the configuration store.
#include <functional>

#include "layouts/layout.h"

namespace layouts
{

// Names a record for the file's readers (layer index, slot, the record's bytes).
using CaptionFn = std::function<QString(int layer, int slot, const quint8 *record)>;

// The records of `keySlots` (slots outside 1..25 are left out) of every layer, from the
// record array of the model's format, each stamped FD, slot, layer + 1 as selecting the
// slot would stamp it. A standard layer also gets its slot 0 record when that is the
// layer's LED record (FE B0, layer + 1); otherwise the layer's LED state is not known and
// the file leaves it out. An extended layout carries the store's LED modes and colours;
// a caller that does not know them resets `led`.
Layout fromStore(const ConfigStore &store, const Model &model, QVector<int> keySlots,
                 const CaptionFn &caption = {});

// Replaces each record the layout holds in the record array of its format (the bytes
// beyond those that travel become 0) and flags it for the next Save; sets the LED modes
// and colours and the LED flag when the layout carries them. Records the layout does not
// hold and their flags are left as they are. Returns the number of records set, or -1
// without touching the store when check() refuses the layout or its record format is not
// the store's (Dev_Variant): a Save would send the other format's records at the flagged
// slots. Compare the models first (sameModel) to tell the user why.
int toStore(const Layout &layout, ConfigStore &store);

} // namespace layouts
