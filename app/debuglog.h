#pragma once

// The program's one trace facility. Every line goes to standard error with
// the time of day in front ("hh:mm:ss.zzz> "), one line per call, cut at
// 4095 characters. A text that comes from outside (the device, a file) is
// always passed as an argument of "%s", never as the format itself.
void DebugLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Writes the first bytes of a buffer as one trace line of "[0x..]" groups,
// with " ... <shown> from <count>" when not all of them are shown.
void DumpBytes(const void *bytes, unsigned count, unsigned maxShown, const char *prefix);
