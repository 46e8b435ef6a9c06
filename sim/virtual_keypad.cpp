#include "sim/virtual_keypad.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <hidapi.h>
#include <libudev.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr int kLayers = 3;
constexpr int kSlots = 60;
constexpr int kRecordBytes = 64;
constexpr int kAnswerBytes = 64;
constexpr int kLedKeys = 16;
constexpr quint8 kExtendedVariant = 10;

const wchar_t kNoError[] = L"Success";
const wchar_t kWriteRefused[] = L"virtual keypad: the device refused the output report (write failure)";
const wchar_t kGone[] = L"virtual keypad: the device has been disconnected (no such device)";
const wchar_t kOpenRefused[] = L"virtual keypad: cannot open the device (permission denied)";
const wchar_t kNoSuchPath[] = L"virtual keypad: no device at this path";
const wchar_t kReadFailed[] = L"virtual keypad: the input report was lost (read failure)";
const wchar_t kBadArgument[] = L"virtual keypad: invalid argument";
const wchar_t kUnsupported[] = L"virtual keypad: not supported";

struct Answer {
    QByteArray bytes;
    Clock::time_point due;
};

struct Keypad {
    int index = 0; // 0 for the first keypad; names its paths and its serial number
    bool plugged = false;
    quint64 generation = 0; // bumped on every plug, so stale handles can be told apart
    QString serial;         // empty: the keypad reports none
    quint16 vendorId = 0x1189;
    quint16 productId = 0x8840;
    QVector<int> interfaces{1, 0, 2};
    quint8 keys = 15, knobs = 3, variant = 0;
    bool modelAnswer = true;
    QByteArray rawModelAnswer;
    int writesBeforeFailure = INT_MAX;
    int failingWrites = 0;
    int readsBeforeFailure = INT_MAX;
    int failingReads = 0;
    int answerLimit = -1;
    int answerLength = -1;
    int firstAnswerMs = 1;
    int answerSpacingMs = 1;
    int writeMs = 1;
    int writesBeforeUnplug = -1;
    bool replugAfterUnplug = false;
    bool openFails = false;

    quint8 records[2][kLayers][kSlots][kRecordBytes];
    quint8 ledMode[kLayers];
    quint8 ledColours[kLayers][kLedKeys * 3];
    std::deque<Answer> answers;

    QVector<sim::Report> reports;
    QVector<sim::Read> reads;
    int commits = 0;

    bool extended() const { return variant == kExtendedVariant; }

    void factoryMemory()
    {
        std::memset(records, 0, sizeof(records));
        for (auto &format : records)
            for (int l = 0; l < kLayers; ++l)
                for (int s = 0; s < kSlots; ++s) {
                    format[l][s][0] = 0xFD;
                    format[l][s][1] = quint8(s);
                    format[l][s][2] = quint8(l + 1);
                }
        std::memset(ledMode, 0, sizeof(ledMode));
        std::memset(ledColours, 0, sizeof(ledColours));
    }

    explicit Keypad(int index = 0)
        : index(index), serial(QStringLiteral("ZD-%1").arg(index + 1, 4, 10, QLatin1Char('0')))
    {
        factoryMemory();
    }
};

struct Monitor;

// Everything on the bus: the keypads (in the order hid_enumerate lists them), the one the
// control functions act on, and what belongs to no keypad in particular.
struct Bus {
    std::deque<Keypad> pads{Keypad()};
    int selected = 0;
    quint64 session = 0; // bumped by reset(): handles of an earlier session are not counted
    QVector<QPair<quint16, quint16>> enumerations;
    int openHandles = 0;
    int liveEnumerations = 0;
    int exits = 0;
    int lastOpenedInterface = -1;
    const wchar_t *globalError = kNoError;
    bool udevActive = false;
    bool monitorFails = false;
    std::vector<Monitor *> monitors;
};

// Everything below runs under this lock; `changed` wakes readers waiting for an answer.
std::mutex lock;
std::condition_variable changed;

Bus &bus()
{
    static Bus b;
    return b;
}

Keypad &keypad()
{
    return bus().pads[size_t(bus().selected)];
}

qint64 nsecsOf(Clock::time_point t)
{
    static const Clock::time_point epoch = Clock::now();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t - epoch).count();
}

std::string pathOf(const Keypad &k, int interfaceNumber)
{
    char buf[64];
    if (k.index == 0)
        std::snprintf(buf, sizeof buf, "virtual-keypad:%04x:%04x:%d", k.vendorId, k.productId,
                      interfaceNumber);
    else
        std::snprintf(buf, sizeof buf, "virtual-keypad-%d:%04x:%04x:%d", k.index + 1, k.vendorId, k.productId,
                      interfaceNumber);
    return buf;
}

wchar_t *copyWide(const wchar_t *s)
{
    const size_t n = std::wcslen(s) + 1;
    auto *copy = static_cast<wchar_t *>(std::malloc(n * sizeof(wchar_t)));
    std::wmemcpy(copy, s, n);
    return copy;
}

void fillInfo(hid_device_info *info, const Keypad &k, int interfaceNumber)
{
    std::memset(info, 0, sizeof(*info));
    info->path = strdup(pathOf(k, interfaceNumber).c_str());
    info->vendor_id = k.vendorId;
    info->product_id = k.productId;
    info->serial_number = k.serial.isEmpty() ? nullptr : copyWide(k.serial.toStdWString().c_str());
    info->release_number = 0x0100;
    info->manufacturer_string = copyWide(L"ZorvelDeck");
    info->product_string = copyWide(L"Virtual keypad");
    info->usage_page = interfaceNumber == 0 ? 0xFF00 : 0x0001;
    info->usage = interfaceNumber == 0 ? 0x01 : 0x06;
    info->interface_number = interfaceNumber;
    info->bus_type = HID_API_BUS_USB;
}

void freeInfoStrings(hid_device_info *info)
{
    std::free(info->path);
    std::free(info->serial_number);
    std::free(info->manufacturer_string);
    std::free(info->product_string);
}

// ---- the udev monitor: one event per interface node, as the device manager announces them ----

void announce(const Keypad &k, char action);

void plugLocked(Keypad &k)
{
    if (k.plugged)
        return;
    k.plugged = true;
    ++k.generation;
    announce(k, 'a');
    changed.notify_all();
}

void unplugLocked(Keypad &k)
{
    if (k.plugged)
        announce(k, 'r');
    k.plugged = false;
    k.answers.clear();
    changed.notify_all();
}

// ---- firmware ----

QByteArray answerOf(quint8 command, const quint8 *payload, int size)
{
    QByteArray a(kAnswerBytes, '\0');
    a[0] = 0x03;
    a[1] = char(command);
    std::memcpy(a.data() + 2, payload, size_t(size));
    return a;
}

QByteArray answerFromRecord(const quint8 *record)
{
    QByteArray a(kAnswerBytes, '\0');
    a[0] = 0x03;
    std::memcpy(a.data() + 1, record, kAnswerBytes - 1);
    return a;
}

// The answers to one report fall due one after another behind those already queued.
void queueAnswers(Keypad &k, const QVector<QByteArray> &answers)
{
    Clock::time_point due = Clock::now() + std::chrono::milliseconds(k.firstAnswerMs);
    const auto spacing = std::chrono::milliseconds(k.answerSpacingMs);
    if (!k.answers.empty())
        due = std::max(due, k.answers.back().due + spacing);
    for (const QByteArray &a : answers) {
        k.answers.push_back({k.answerLength < 0 ? a : a.left(k.answerLength), due});
        due += spacing;
    }
    changed.notify_all();
}

QVector<QByteArray> readBackAnswers(const Keypad &k, const quint8 *r)
{
    const int format = k.extended() ? 1 : 0;
    const int keys = r[2], knobs = k.extended() ? 0 : r[3], layer = r[4] - 1;
    QVector<QByteArray> out;
    if (layer < 0 || layer >= kLayers)
        return out;
    QVector<int> order;
    for (int s = 1; s <= keys; ++s)
        order.append(s);
    for (int s = 16; s < 16 + 3 * knobs; ++s)
        order.append(s);
    for (int s : order) {
        if (k.answerLimit >= 0 && out.size() == k.answerLimit)
            break;
        if (s < kSlots)
            out.append(answerFromRecord(k.records[format][layer][s]));
    }
    return out;
}

void receive(Keypad &k, const quint8 *b, size_t length)
{
    quint8 r[65] = {};
    std::memcpy(r, b, std::min<size_t>(length, sizeof r));
    const int format = k.extended() ? 1 : 0;

    if (r[1] == 0xFD && r[2] == 0xFE && r[3] == 0xFF) {
        ++k.commits;
    } else if (r[1] == 0xFD) {
        const int slot = r[2], layer = r[3] - 1;
        if (layer >= 0 && layer < kLayers && slot < kSlots)
            std::memcpy(k.records[format][layer][slot], r + 1, kRecordBytes);
    } else if (r[1] == 0xFE && r[2] == 0xB0) {
        if (k.extended()) {
            const int layer = r[3];
            if (layer < kLayers) {
                k.ledMode[layer] = r[4];
                std::memcpy(k.ledColours[layer], r + 5, kLedKeys * 3);
            }
        } else if (r[3] >= 1 && r[3] <= kLayers) {
            std::memcpy(k.records[format][r[3] - 1][0], r + 1, kRecordBytes);
        }
    } else if (r[1] == 0xFB && r[2] == 0xFB && r[3] == 0xFB) {
        const quint8 model[3] = {k.keys, k.knobs, k.variant};
        if (!k.rawModelAnswer.isEmpty())
            queueAnswers(k, {k.rawModelAnswer});
        else if (k.modelAnswer)
            queueAnswers(k, {answerOf(0xFB, model, 3)});
    } else if (r[1] == 0xFA && r[2] == 0xB0) {
        const int layer = r[3];
        if (layer < kLayers) {
            QByteArray a = answerOf(0xFA, &k.ledMode[layer], 1);
            std::memcpy(a.data() + 3, k.ledColours[layer], kLedKeys * 3);
            queueAnswers(k, {a});
        }
    } else if (r[1] == 0xFA) {
        queueAnswers(k, readBackAnswers(k, r));
    }
}

} // namespace

// The opaque handle of the hidapi C API.
struct hid_device_ {
    int pad; // index of the keypad in the bus
    int interfaceNumber;
    quint64 session;
    quint64 generation;
    bool nonblocking = false;
    const wchar_t *error = kNoError;
    hid_device_info info;
};

namespace
{

// Counts one call against a failure window (`before` successes, then `failing` failures);
// true when this call fails.
bool failsNow(int &before, int &failing)
{
    if (before > 0) {
        if (before != INT_MAX)
            --before;
        return false;
    }
    if (failing == 0)
        return false;
    if (failing != INT_MAX)
        --failing;
    if (failing == 0)
        before = INT_MAX;
    return true;
}

Keypad &padOf(const hid_device *dev)
{
    return bus().pads[size_t(dev->pad)];
}

bool alive(const hid_device *dev)
{
    const Keypad &k = padOf(dev);
    return dev->session == bus().session && k.plugged && dev->generation == k.generation;
}

// Waits (lock held, released while waiting) until an answer is due, the handle goes stale or
// the timeout (-1: none) passes.
int readAnswer(hid_device *dev, unsigned char *data, size_t length, int timeoutMs)
{
    std::unique_lock<std::mutex> held(lock);
    if (!dev || !data) {
        bus().globalError = kBadArgument;
        return -1;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    int result = 0;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (!alive(dev)) {
            dev->error = kGone;
            result = -1;
            break;
        }
        Keypad &k = padOf(dev); // looked up again after every wait: reset() replaces the keypads
        const bool answers = dev->interfaceNumber == 0 && !k.answers.empty();
        if (answers && k.answers.front().due <= now) {
            const QByteArray a = k.answers.front().bytes;
            k.answers.pop_front();
            if (failsNow(k.readsBeforeFailure, k.failingReads)) {
                dev->error = kReadFailed;
                result = -1;
            } else {
                result = int(std::min<size_t>(length, size_t(a.size())));
                std::memcpy(data, a.constData(), size_t(result));
                dev->error = kNoError;
            }
            break;
        }
        if (timeoutMs >= 0 && now >= deadline)
            break;
        Clock::time_point wakeAt = timeoutMs >= 0 ? deadline : Clock::time_point::max();
        if (answers)
            wakeAt = std::min(wakeAt, k.answers.front().due);
        if (wakeAt == Clock::time_point::max())
            changed.wait(held);
        else
            changed.wait_until(held, wakeAt);
    }
    if (dev->session == bus().session)
        padOf(dev).reads.append({timeoutMs, result});
    return result;
}

} // namespace

namespace sim
{

void reset()
{
    std::lock_guard<std::mutex> held(lock);
    Bus &b = bus();
    std::vector<Monitor *> monitors = std::move(b.monitors); // they belong to whoever created them
    const quint64 session = b.session;
    b = Bus();
    b.session = session + 1; // handles still open from an earlier session go stale
    b.monitors = std::move(monitors);
    changed.notify_all();
}

int addKeypad()
{
    std::lock_guard<std::mutex> held(lock);
    Bus &b = bus();
    b.pads.emplace_back(int(b.pads.size()));
    b.selected = int(b.pads.size()) - 1;
    return b.selected;
}

void select(int index)
{
    std::lock_guard<std::mutex> held(lock);
    if (index >= 0 && size_t(index) < bus().pads.size())
        bus().selected = index;
}

int keypadCount()
{
    std::lock_guard<std::mutex> held(lock);
    return int(bus().pads.size());
}

void setSerial(const QString &serial)
{
    std::lock_guard<std::mutex> held(lock);
    keypad().serial = serial;
}

QByteArray interfaceZeroPath()
{
    std::lock_guard<std::mutex> held(lock);
    return QByteArray::fromStdString(pathOf(keypad(), 0));
}

void setUdevActive(bool active)
{
    std::lock_guard<std::mutex> held(lock);
    bus().udevActive = active;
}

void setMonitorFails(bool fails)
{
    std::lock_guard<std::mutex> held(lock);
    bus().monitorFails = fails;
}

void plug()
{
    std::lock_guard<std::mutex> held(lock);
    plugLocked(keypad());
}

void unplug()
{
    std::lock_guard<std::mutex> held(lock);
    unplugLocked(keypad());
}

bool isPlugged()
{
    std::lock_guard<std::mutex> held(lock);
    return keypad().plugged;
}

void unplugAfterWrites(int writes, bool replug)
{
    std::lock_guard<std::mutex> held(lock);
    keypad().writesBeforeUnplug = writes;
    keypad().replugAfterUnplug = replug;
}

// Setters that only store a value, under the lock.
template <typename T, typename V> void set(T Keypad::*member, V value)
{
    std::lock_guard<std::mutex> held(lock);
    keypad().*member = value;
}

void setIds(quint16 vendorId, quint16 productId)
{
    set(&Keypad::vendorId, vendorId);
    set(&Keypad::productId, productId);
}

void setInterfaces(const QVector<int> &numbers)
{
    set(&Keypad::interfaces, numbers);
}

void setModel(quint8 keys, quint8 knobs, quint8 variant)
{
    set(&Keypad::keys, keys);
    set(&Keypad::knobs, knobs);
    set(&Keypad::variant, variant);
}

void setModelAnswer(bool answers)
{
    set(&Keypad::modelAnswer, answers);
}

void setRawModelAnswer(const QByteArray &answer)
{
    set(&Keypad::rawModelAnswer, answer);
}

void failWrites(int after, int count)
{
    set(&Keypad::writesBeforeFailure, after);
    set(&Keypad::failingWrites, count);
}

void failReads(int after, int count)
{
    set(&Keypad::readsBeforeFailure, after);
    set(&Keypad::failingReads, count);
}

void setAnswerLimit(int m)
{
    set(&Keypad::answerLimit, m);
}

void setAnswerLength(int bytes)
{
    set(&Keypad::answerLength, bytes);
}

void setAnswerTiming(int firstMs, int spacingMs)
{
    set(&Keypad::firstAnswerMs, firstMs);
    set(&Keypad::answerSpacingMs, spacingMs);
}

void setWriteTime(int ms)
{
    set(&Keypad::writeMs, ms);
}

void queueAnswer(const QByteArray &answer)
{
    std::lock_guard<std::mutex> held(lock);
    Keypad &k = keypad();
    const Clock::time_point now = Clock::now();
    k.answers.push_back({answer, k.answers.empty() ? now : std::max(now, k.answers.back().due)});
    changed.notify_all();
}

void setOpenFails(bool fails)
{
    set(&Keypad::openFails, fails);
}

QVector<Report> reports()
{
    std::lock_guard<std::mutex> held(lock);
    return keypad().reports;
}

QVector<Report> received()
{
    std::lock_guard<std::mutex> held(lock);
    QVector<Report> out;
    for (const Report &r : keypad().reports)
        if (r.accepted && r.interfaceNumber == 0)
            out.append(r);
    return out;
}

QVector<Read> reads()
{
    std::lock_guard<std::mutex> held(lock);
    return keypad().reads;
}

QVector<QPair<quint16, quint16>> enumerations()
{
    std::lock_guard<std::mutex> held(lock);
    return bus().enumerations;
}

void clearLogs()
{
    std::lock_guard<std::mutex> held(lock);
    for (Keypad &k : bus().pads) {
        k.reports.clear();
        k.reads.clear();
    }
    bus().enumerations.clear();
}

// Getters of one value, under the lock.
template <typename T> T get(T Keypad::*member)
{
    std::lock_guard<std::mutex> held(lock);
    return keypad().*member;
}

// Values of the whole bus, under the lock.
template <typename T> T ofBus(T Bus::*member)
{
    std::lock_guard<std::mutex> held(lock);
    return bus().*member;
}

int commitCount()
{
    return get(&Keypad::commits);
}
int openHandles()
{
    return ofBus(&Bus::openHandles);
}
int liveEnumerations()
{
    return ofBus(&Bus::liveEnumerations);
}
int exitCount()
{
    return ofBus(&Bus::exits);
}
int lastOpenedInterface()
{
    return ofBus(&Bus::lastOpenedInterface);
}

QByteArray storedRecord(int layer, int slot, bool extended)
{
    std::lock_guard<std::mutex> held(lock);
    return QByteArray(reinterpret_cast<const char *>(keypad().records[extended][layer][slot]), kRecordBytes);
}

void setStoredRecord(int layer, int slot, bool extended, const QByteArray &record)
{
    std::lock_guard<std::mutex> held(lock);
    quint8 *r = keypad().records[extended][layer][slot];
    std::memset(r, 0, kRecordBytes);
    std::memcpy(r, record.constData(), size_t(std::min<int>(record.size(), kRecordBytes)));
}

quint8 ledMode(int layer)
{
    std::lock_guard<std::mutex> held(lock);
    return keypad().ledMode[layer];
}

QByteArray ledColours(int layer)
{
    std::lock_guard<std::mutex> held(lock);
    return QByteArray(reinterpret_cast<const char *>(keypad().ledColours[layer]), kLedKeys * 3);
}

void setLedState(int layer, quint8 mode, const QByteArray &colours)
{
    std::lock_guard<std::mutex> held(lock);
    keypad().ledMode[layer] = mode;
    std::memset(keypad().ledColours[layer], 0, kLedKeys * 3);
    std::memcpy(keypad().ledColours[layer], colours.constData(),
                size_t(std::min<int>(colours.size(), kLedKeys * 3)));
}

} // namespace sim

// ---- the hidapi C API ----
extern "C" {

int hid_init(void)
{
    return 0;
}

int hid_exit(void)
{
    std::lock_guard<std::mutex> held(lock);
    ++bus().exits;
    return 0;
}

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    std::lock_guard<std::mutex> held(lock);
    Bus &b = bus();
    b.enumerations.append({vendor_id, product_id});
    hid_device_info *head = nullptr, **tail = &head;
    for (const Keypad &k : b.pads) {
        if (!k.plugged || (vendor_id && vendor_id != k.vendorId) || (product_id && product_id != k.productId))
            continue;
        for (int number : k.interfaces) {
            auto *info = static_cast<hid_device_info *>(std::malloc(sizeof(hid_device_info)));
            fillInfo(info, k, number);
            *tail = info;
            tail = &info->next;
        }
    }
    if (head)
        ++b.liveEnumerations;
    return head;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    if (!devs)
        return;
    {
        std::lock_guard<std::mutex> held(lock);
        --bus().liveEnumerations;
    }
    while (devs) {
        hid_device_info *next = devs->next;
        freeInfoStrings(devs);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open_path(const char *path)
{
    std::lock_guard<std::mutex> held(lock);
    Bus &b = bus();
    if (!path) {
        b.globalError = kBadArgument;
        return nullptr;
    }
    for (Keypad &k : b.pads) {
        if (!k.plugged)
            continue;
        for (int number : k.interfaces) {
            if (pathOf(k, number) != path)
                continue;
            if (k.openFails) {
                b.globalError = kOpenRefused;
                return nullptr;
            }
            auto *dev = new hid_device_{k.index, number, b.session, k.generation, false, kNoError, {}};
            fillInfo(&dev->info, k, number);
            ++b.openHandles;
            b.lastOpenedInterface = number;
            b.globalError = kNoError;
            return dev;
        }
    }
    b.globalError = kNoSuchPath;
    return nullptr;
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t *)
{
    hid_device_info *list = hid_enumerate(vendor_id, product_id);
    if (!list) {
        std::lock_guard<std::mutex> held(lock);
        bus().globalError = kNoSuchPath;
        return nullptr;
    }
    hid_device *dev = hid_open_path(list->path);
    hid_free_enumeration(list);
    return dev;
}

void hid_close(hid_device *dev)
{
    if (!dev)
        return;
    {
        std::lock_guard<std::mutex> held(lock);
        if (dev->session == bus().session)
            --bus().openHandles;
    }
    freeInfoStrings(&dev->info);
    delete dev;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    int frameMs;
    {
        std::lock_guard<std::mutex> held(lock);
        if (!dev || !data || length == 0) {
            bus().globalError = kBadArgument;
            return -1;
        }
        frameMs = dev->session == bus().session ? padOf(dev).writeMs : 0;
    }
    // The report travels in the next frame; the keypad may be unplugged meanwhile.
    if (frameMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(frameMs));

    std::lock_guard<std::mutex> held(lock);
    if (dev->session != bus().session) {
        dev->error = kGone;
        return -1;
    }
    Keypad &k = padOf(dev);
    bool ok = alive(dev);
    if (!ok) {
        dev->error = kGone;
    } else if (failsNow(k.writesBeforeFailure, k.failingWrites)) {
        dev->error = kWriteRefused;
        ok = false;
    }
    k.reports.append({QByteArray(reinterpret_cast<const char *>(data), int(length)), nsecsOf(Clock::now()),
                      dev->interfaceNumber, ok});
    if (!ok)
        return -1;
    dev->error = kNoError;
    if (dev->interfaceNumber == 0) {
        receive(k, data, length);
        if (k.writesBeforeUnplug > 0 && --k.writesBeforeUnplug == 0) {
            k.writesBeforeUnplug = -1;
            unplugLocked(k);
            if (k.replugAfterUnplug)
                plugLocked(k);
        }
    }
    return int(length);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    return readAnswer(dev, data, length, milliseconds < 0 ? -1 : milliseconds);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    bool nonblocking = false;
    if (dev) {
        std::lock_guard<std::mutex> held(lock);
        nonblocking = dev->nonblocking;
    }
    return readAnswer(dev, data, length, nonblocking ? 0 : -1);
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    if (!dev)
        return -1;
    std::lock_guard<std::mutex> held(lock);
    dev->nonblocking = nonblock != 0;
    return 0;
}

const wchar_t *hid_error(hid_device *dev)
{
    std::lock_guard<std::mutex> held(lock);
    return dev ? dev->error : bus().globalError;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *, size_t)
{
    if (dev)
        dev->error = kUnsupported;
    return -1;
}

int hid_get_feature_report(hid_device *dev, unsigned char *, size_t)
{
    if (dev)
        dev->error = kUnsupported;
    return -1;
}

int hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    if (dev)
        dev->error = kUnsupported;
    return -1;
}

static int copyString(hid_device *dev, const wchar_t *text, wchar_t *string, size_t maxlen)
{
    if (!dev || !string || maxlen == 0)
        return -1;
    std::wcsncpy(string, text, maxlen);
    string[maxlen - 1] = L'\0';
    return 0;
}

int hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, L"ZorvelDeck", string, maxlen);
}

int hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, L"Virtual keypad", string, maxlen);
}

int hid_get_serial_number_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    std::wstring serial;
    if (dev) {
        std::lock_guard<std::mutex> held(lock);
        if (dev->session == bus().session)
            serial = padOf(dev).serial.toStdWString();
    }
    return copyString(dev, serial.c_str(), string, maxlen);
}

int hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t)
{
    if (dev)
        dev->error = kUnsupported;
    return -1;
}

struct hid_device_info *hid_get_device_info(hid_device *dev)
{
    return dev ? &dev->info : nullptr;
}

const struct hid_api_version *hid_version(void)
{
    static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                            HID_API_VERSION_PATCH};
    return &version;
}

const char *hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"

// ---- the few libudev calls of the hot-plug monitor ----
// A monitor is a pipe: every interface node of a keypad plugged in or unplugged writes one
// event into it ('a' add, 'r' remove), as the device manager announces each hidraw node.

struct udev {
    int unused = 0;
};
struct udev_queue {
    int unused = 0;
};
struct udev_device {
    const char *action;
};

namespace
{

struct Monitor {
    int fds[2] = {-1, -1};
    bool receiving = false;
    bool hidraw = true; // no filter, or one on the hidraw subsystem
};

void announce(const Keypad &k, char action)
{
    for (Monitor *m : bus().monitors)
        if (m->receiving && m->hidraw)
            for (int i = 0; i < k.interfaces.size(); ++i)
                if (::write(m->fds[1], &action, 1) != 1)
                    break; // the pipe is full: the reader has enough to wake for
}

} // namespace

struct udev_monitor : Monitor {
};

extern "C" {

struct udev *udev_new(void)
{
    return new udev;
}

struct udev *udev_unref(struct udev *u)
{
    delete u;
    return nullptr;
}

struct udev_queue *udev_queue_new(struct udev *)
{
    return new udev_queue;
}

struct udev_queue *udev_queue_unref(struct udev_queue *q)
{
    delete q;
    return nullptr;
}

int udev_queue_get_udev_is_active(struct udev_queue *)
{
    std::lock_guard<std::mutex> held(lock);
    return bus().udevActive ? 1 : 0;
}

struct udev_monitor *udev_monitor_new_from_netlink(struct udev *u, const char *name)
{
    std::lock_guard<std::mutex> held(lock);
    if (!u || !name || std::strcmp(name, "udev") != 0 || bus().monitorFails)
        return nullptr;
    auto *m = new udev_monitor;
    if (pipe2(m->fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        delete m;
        return nullptr;
    }
    bus().monitors.push_back(m);
    return m;
}

int udev_monitor_filter_add_match_subsystem_devtype(struct udev_monitor *m, const char *subsystem,
                                                    const char *)
{
    if (!m || !subsystem)
        return -EINVAL;
    std::lock_guard<std::mutex> held(lock);
    m->hidraw = std::strcmp(subsystem, "hidraw") == 0;
    return 0;
}

int udev_monitor_enable_receiving(struct udev_monitor *m)
{
    if (!m)
        return -EINVAL;
    std::lock_guard<std::mutex> held(lock);
    m->receiving = true;
    return 0;
}

int udev_monitor_get_fd(struct udev_monitor *m)
{
    return m ? m->fds[0] : -EINVAL;
}

struct udev_device *udev_monitor_receive_device(struct udev_monitor *m)
{
    char action = 0;
    if (!m || ::read(m->fds[0], &action, 1) != 1)
        return nullptr;
    return new udev_device{action == 'a' ? "add" : "remove"};
}

const char *udev_device_get_action(struct udev_device *d)
{
    return d ? d->action : nullptr;
}

struct udev_device *udev_device_unref(struct udev_device *d)
{
    delete d;
    return nullptr;
}

struct udev_monitor *udev_monitor_unref(struct udev_monitor *m)
{
    if (!m)
        return nullptr;
    std::lock_guard<std::mutex> held(lock);
    std::vector<Monitor *> &all = bus().monitors;
    all.erase(std::remove(all.begin(), all.end(), m), all.end());
    ::close(m->fds[0]);
    ::close(m->fds[1]);
    delete m;
    return nullptr;
}

} // extern "C"
