#pragma once

// Command codes of Config::sendCmd.
namespace DeviceCommand {
enum DeviceCommand_e : int
{
    Connect = 0,
    Disconnect = 1,
    ReadTypes = 2,
    ConfigureTypes = 3,
    RunTest = 4,
};
} // namespace DeviceCommand
