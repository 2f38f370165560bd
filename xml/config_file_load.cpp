#include "xml/config_file_load.h"

#include "frame/diagnostics.h"

namespace vrex {

namespace {

void write(ConfigFileMessages::Channel channel, const QString &text)
{
    if (channel == ConfigFileMessages::DebugOutput)
        debugOutput(text);
    else
        qtMessage(text);
}

} // namespace

bool reportConfigFile(const xml::Result &result, const ConfigFileMessages &messages)
{
    switch (result.status) {
    case xml::Status::Ok:
        return true;
    case xml::Status::Unreadable:
        write(messages.channel, messages.cannotOpen);
        return false;
    case xml::Status::NotWellFormed:
        write(messages.channel,
              messages.withReason ? messages.notWellFormed + result.reason : messages.notWellFormed);
        return false;
    case xml::Status::WrongRoot:
        write(messages.channel, messages.wrongRoot);
        return !messages.wrongRootRejects;
    }
    return false;
}

} // namespace vrex
