#pragma once

// The whole program run: application object, start-up translator, application font,
// the main window titled "ZORVELDECK", and the event loop. Returns the loop's exit
// code. Shared by the product entry point and the demo on the virtual keypad.
int runZorvelDeck(int argc, char *argv[]);
