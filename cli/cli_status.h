#pragma once

// Exit statuses of widmo-cli.
enum cli_status
{
    cli_done = 0,
    cli_failed = 1,           // bad arguments, or an input or output failed
    cli_done_with_message = 2 // all written, after the computation showed a message
};

// The status of a run that wrote what it could.
inline int status_after(bool any_failed, int messages)
{
    if (any_failed) {
        return cli_failed;
    }
    return messages == 0 ? cli_done : cli_done_with_message;
}
