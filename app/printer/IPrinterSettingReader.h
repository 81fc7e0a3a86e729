// Reads the printer's model name and settings into the information pane. Not reference-counted: the
// adjustment dialog makes one as a local object around a progress window.
#pragma once

class IProgressCallback;

class IPrinterSettingReader {
public:
    virtual ~IPrinterSettingReader() = default;
    // mask: the settings to read (CPrinterSettingReader's bits). 1 when every one was read, 0 at the
    // first that was not; the fields filled before it keep their texts.
    virtual int Read(IProgressCallback* progress, int mask) = 0;
};
