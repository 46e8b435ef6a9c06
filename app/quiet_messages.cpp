#include "app/quiet_messages.h"

#include <QString>

#include <algorithm>
#include <iterator>

namespace
{

const struct {
    QtMsgType type;
    const char *text;
} kExpected[] = {
    {QtDebugMsg, "Unknown property PointSize"},   // Qt 5
    {QtWarningMsg, "Unknown property PointSize"}, // Qt 6
    {QtWarningMsg,
     "QCssParser::parseColorValue: Specified color with alpha value but no alpha given: 'rgba 67, 67, 67'"},
    {QtWarningMsg, "QMetaObject::connectSlotsByName: No matching signal for on_confirmButton_clicked()"},
    {QtWarningMsg, "QMetaObject::connectSlotsByName: No matching signal for on_CleanButton_clicked()"},
    {QtWarningMsg, "QMetaObject::connectSlotsByName: No matching signal for on_CleanALLButton_clicked()"},
};

// whether `message` is one of those, word for word and of its type
bool isExpectedNoise(QtMsgType type, const QString &message)
{
    return std::any_of(std::begin(kExpected), std::end(kExpected), [&](const auto &expected) {
        return type == expected.type && message == QLatin1String(expected.text);
    });
}

QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!isExpectedNoise(type, message))
        previousHandler(type, context, message);
}

} // namespace

QuietMessages::QuietMessages()
{
    previousHandler = qInstallMessageHandler(filterMessage);
}

QuietMessages::~QuietMessages()
{
    qInstallMessageHandler(previousHandler);
}
