#pragma once

#include "device/vlmclient.h"

// The budget of every exchange the controller has with the device: how often
// a reply is polled for, and how long the whole exchange may take before the
// user is told the device did not answer. Reading the description and Apply
// share it, so both give up alike.
struct DeviceBudget
{
    static constexpr int ReadPollMicroseconds = 200;
    static constexpr quint32 CommandTimeoutMs = 3000;

    static void applyTo(VLMClient &client)
    {
        client.setReadPollInterval(ReadPollMicroseconds);
        client.setCommandTimeout(CommandTimeoutMs);
    }
};
