#pragma once

// The program's one trace facility. Every call writes one line to standard
// error (through the toolkit's debug channel, so a test can listen in) with
// the time of day in front ("hh:mm:ss.zzz> "), cut at 4095 characters. Text
// that comes from outside (the device, a file, the command line) is always
// passed as an argument of "%s", never as the format itself.
void DebugLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Writes the first bytes of a buffer as one trace line of "[0x..]" groups
// after the prefix, followed by " ... <shown> from <count>" when not all of
// them are shown.
void DumpBytes(const void *bytes, unsigned count, unsigned maxShown, const char *prefix);
