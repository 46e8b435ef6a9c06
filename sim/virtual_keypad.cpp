#include "sim/virtual_keypad.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <string>

#include <hidapi.h>

namespace
{

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

struct Keypad {
    bool plugged = false;
    quint64 session = 0;    // bumped by reset(): handles of an earlier session are not counted
    quint64 generation = 0; // bumped on every plug, so stale handles can be told apart
    quint16 vendorId = 0x1189;
    quint16 productId = 0x8840;
    QVector<int> interfaces{1, 0, 2};
    quint8 keys = 15, knobs = 3, variant = 0;
    bool modelAnswer = true;
    int writesBeforeFailure = INT_MAX;
    int failingWrites = 0;
    int readsBeforeFailure = INT_MAX;
    int failingReads = 0;
    int answerLimit = -1;
    bool openFails = false;

    quint8 records[2][kLayers][kSlots][kRecordBytes];
    quint8 ledMode[kLayers];
    quint8 ledColours[kLayers][kLedKeys * 3];
    std::deque<QByteArray> answers;

    QVector<sim::Report> reports;
    QVector<sim::Read> reads;
    QVector<QPair<quint16, quint16>> enumerations;
    int commits = 0;
    int openHandles = 0;
    int liveEnumerations = 0;
    int exits = 0;
    int lastOpenedInterface = -1;
    const wchar_t *globalError = kNoError;

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

    Keypad() { factoryMemory(); }
};

Keypad &keypad()
{
    static Keypad k;
    return k;
}

qint64 now()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed();
}

std::string pathOf(quint16 vid, quint16 pid, int interfaceNumber)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "virtual-keypad:%04x:%04x:%d", vid, pid, interfaceNumber);
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
    info->path = strdup(pathOf(k.vendorId, k.productId, interfaceNumber).c_str());
    info->vendor_id = k.vendorId;
    info->product_id = k.productId;
    info->serial_number = copyWide(L"ZD-0001");
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

// ---- firmware ----

QByteArray answerFromRecord(const quint8 *record)
{
    QByteArray a(kAnswerBytes, '\0');
    a[0] = 0x03;
    std::memcpy(a.data() + 1, record, kAnswerBytes - 1);
    return a;
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
        if (k.modelAnswer) {
            QByteArray a(kAnswerBytes, '\0');
            a[0] = 0x03;
            a[1] = char(0xFB);
            a[2] = char(k.keys);
            a[3] = char(k.knobs);
            a[4] = char(k.variant);
            k.answers.push_back(a);
        }
    } else if (r[1] == 0xFA && r[2] == 0xB0) {
        const int layer = r[3];
        if (layer < kLayers) {
            QByteArray a(kAnswerBytes, '\0');
            a[0] = 0x03;
            a[1] = char(0xFA);
            a[2] = char(k.ledMode[layer]);
            std::memcpy(a.data() + 3, k.ledColours[layer], kLedKeys * 3);
            k.answers.push_back(a);
        }
    } else if (r[1] == 0xFA) {
        const int keys = r[2], knobs = k.extended() ? 0 : r[3], layer = r[4] - 1;
        if (layer < 0 || layer >= kLayers)
            return;
        QVector<int> order;
        for (int s = 1; s <= keys; ++s)
            order.append(s);
        for (int s = 16; s < 16 + 3 * knobs; ++s)
            order.append(s);
        int sent = 0;
        for (int s : order) {
            if (k.answerLimit >= 0 && sent == k.answerLimit)
                break;
            if (s < kSlots) {
                k.answers.push_back(answerFromRecord(k.records[format][layer][s]));
                ++sent;
            }
        }
    }
}

} // namespace

// The opaque handle of the hidapi C API.
struct hid_device_ {
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

bool alive(const hid_device *dev)
{
    const Keypad &k = keypad();
    return k.plugged && dev->generation == k.generation;
}

int readAnswer(hid_device *dev, unsigned char *data, size_t length, int timeoutMs)
{
    Keypad &k = keypad();
    int result;
    if (!dev || !data) {
        k.globalError = kBadArgument;
        result = -1;
    } else if (!alive(dev)) {
        dev->error = kGone;
        result = -1;
    } else if (dev->interfaceNumber != 0 || k.answers.empty()) {
        result = 0;
    } else if (failsNow(k.readsBeforeFailure, k.failingReads)) {
        k.answers.pop_front();
        dev->error = kReadFailed;
        result = -1;
    } else {
        const QByteArray a = k.answers.front();
        k.answers.pop_front();
        result = int(std::min<size_t>(length, size_t(a.size())));
        std::memcpy(data, a.constData(), size_t(result));
        dev->error = kNoError;
    }
    k.reads.append({timeoutMs, result});
    return result;
}

} // namespace

namespace sim
{

void reset()
{
    Keypad &k = keypad();
    const quint64 session = k.session, generation = k.generation;
    k = Keypad();
    k.session = session + 1;
    k.generation = generation + 1; // handles still open from an earlier session go stale
}

void plug()
{
    Keypad &k = keypad();
    if (k.plugged)
        return;
    k.plugged = true;
    ++k.generation;
}

void unplug()
{
    Keypad &k = keypad();
    k.plugged = false;
    k.answers.clear();
}

bool isPlugged()
{
    return keypad().plugged;
}

void setIds(quint16 vendorId, quint16 productId)
{
    keypad().vendorId = vendorId;
    keypad().productId = productId;
}

void setInterfaces(const QVector<int> &numbers)
{
    keypad().interfaces = numbers;
}

void setModel(quint8 keys, quint8 knobs, quint8 variant)
{
    Keypad &k = keypad();
    k.keys = keys;
    k.knobs = knobs;
    k.variant = variant;
}

void setModelAnswer(bool answers)
{
    keypad().modelAnswer = answers;
}

void failWrites(int after, int count)
{
    keypad().writesBeforeFailure = after;
    keypad().failingWrites = count;
}

void failReads(int after, int count)
{
    keypad().readsBeforeFailure = after;
    keypad().failingReads = count;
}

void setAnswerLimit(int m)
{
    keypad().answerLimit = m;
}

void setOpenFails(bool fails)
{
    keypad().openFails = fails;
}

const QVector<Report> &reports()
{
    return keypad().reports;
}

QVector<Report> received()
{
    QVector<Report> out;
    for (const Report &r : keypad().reports)
        if (r.accepted && r.interfaceNumber == 0)
            out.append(r);
    return out;
}

const QVector<Read> &reads()
{
    return keypad().reads;
}

const QVector<QPair<quint16, quint16>> &enumerations()
{
    return keypad().enumerations;
}

void clearLogs()
{
    keypad().reports.clear();
    keypad().reads.clear();
    keypad().enumerations.clear();
}

int commitCount()
{
    return keypad().commits;
}
int openHandles()
{
    return keypad().openHandles;
}
int liveEnumerations()
{
    return keypad().liveEnumerations;
}
int exitCount()
{
    return keypad().exits;
}
int lastOpenedInterface()
{
    return keypad().lastOpenedInterface;
}

QByteArray storedRecord(int layer, int slot, bool extended)
{
    return QByteArray(reinterpret_cast<const char *>(keypad().records[extended][layer][slot]), kRecordBytes);
}

void setStoredRecord(int layer, int slot, bool extended, const QByteArray &record)
{
    quint8 *r = keypad().records[extended][layer][slot];
    std::memset(r, 0, kRecordBytes);
    std::memcpy(r, record.constData(), size_t(std::min<int>(record.size(), kRecordBytes)));
}

quint8 ledMode(int layer)
{
    return keypad().ledMode[layer];
}

QByteArray ledColours(int layer)
{
    return QByteArray(reinterpret_cast<const char *>(keypad().ledColours[layer]), kLedKeys * 3);
}

void setLedState(int layer, quint8 mode, const QByteArray &colours)
{
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
    ++keypad().exits;
    return 0;
}

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    Keypad &k = keypad();
    k.enumerations.append({vendor_id, product_id});
    if (!k.plugged || (vendor_id && vendor_id != k.vendorId) || (product_id && product_id != k.productId) ||
        k.interfaces.isEmpty())
        return nullptr;
    hid_device_info *head = nullptr, **tail = &head;
    for (int number : k.interfaces) {
        auto *info = static_cast<hid_device_info *>(std::malloc(sizeof(hid_device_info)));
        fillInfo(info, k, number);
        *tail = info;
        tail = &info->next;
    }
    ++k.liveEnumerations;
    return head;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    if (!devs)
        return;
    --keypad().liveEnumerations;
    while (devs) {
        hid_device_info *next = devs->next;
        freeInfoStrings(devs);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open_path(const char *path)
{
    Keypad &k = keypad();
    if (!path) {
        k.globalError = kBadArgument;
        return nullptr;
    }
    if (k.openFails) {
        k.globalError = kOpenRefused;
        return nullptr;
    }
    if (k.plugged)
        for (int number : k.interfaces)
            if (pathOf(k.vendorId, k.productId, number) == path) {
                auto *dev = new hid_device_{number, k.session, k.generation, false, kNoError, {}};
                fillInfo(&dev->info, k, number);
                ++k.openHandles;
                k.lastOpenedInterface = number;
                k.globalError = kNoError;
                return dev;
            }
    k.globalError = kNoSuchPath;
    return nullptr;
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t *)
{
    hid_device_info *list = hid_enumerate(vendor_id, product_id);
    if (!list) {
        keypad().globalError = kNoSuchPath;
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
    if (dev->session == keypad().session)
        --keypad().openHandles;
    freeInfoStrings(&dev->info);
    delete dev;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    Keypad &k = keypad();
    if (!dev || !data || length == 0) {
        k.globalError = kBadArgument;
        return -1;
    }
    bool ok = alive(dev);
    if (!ok) {
        dev->error = kGone;
    } else if (failsNow(k.writesBeforeFailure, k.failingWrites)) {
        dev->error = kWriteRefused;
        ok = false;
    }
    k.reports.append(
        {QByteArray(reinterpret_cast<const char *>(data), int(length)), now(), dev->interfaceNumber, ok});
    if (!ok)
        return -1;
    dev->error = kNoError;
    if (dev->interfaceNumber == 0)
        receive(k, data, length);
    return int(length);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    return readAnswer(dev, data, length, milliseconds < 0 ? -1 : milliseconds);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    return readAnswer(dev, data, length, dev && dev->nonblocking ? 0 : -1);
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    if (!dev)
        return -1;
    dev->nonblocking = nonblock != 0;
    return 0;
}

const wchar_t *hid_error(hid_device *dev)
{
    return dev ? dev->error : keypad().globalError;
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
    return copyString(dev, L"ZD-0001", string, maxlen);
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
