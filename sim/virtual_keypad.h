#pragma once
// The virtual keypad: the hidapi C API over a model of the keypad firmware.
