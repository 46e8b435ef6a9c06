#pragma once
// Named second base of the main window; it carries no state or behaviour.
class HID_Key_Val
{
};
