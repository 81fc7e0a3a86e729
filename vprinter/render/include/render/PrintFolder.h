// The print folder: every page image the printer put out and a short log per job. Names carry the
// printer, the time the page (or job) began and its number, so printers and runs never overwrite each
// other: "VK-572D-USB1_20260101-090000_page0001.png", "VK-572D-USB1_20260101-090000_job0001.txt".
#pragma once

#include <string>
#include <vector>

#include "render/IPageSink.h"
#include "render/JobLog.h"

namespace vprinter::render {

class PrintFolder : public IPageSink {
public:
    PrintFolder(std::string folder, std::string printerName, JobLog& log);

    void WritePage(const PageRaster& page, int pageNumber, bool finished) override;
    void WriteJobLog();

    const std::string& Folder() const { return folder_; }
    // Every file written, each named once, in the order first written.
    const std::vector<std::string>& Files() const { return files_; }
    // The file names' printer part: letters, digits, '-', '_' and '.', anything else as '-'.
    static std::string FileNamePart(const std::string& printerName);

private:
    std::string PathOf(const platform::LocalTime& time, const char* kind, int number,
                       const char* extension) const;
    void Written(const std::string& path);

    std::string folder_;
    std::string printer_;
    JobLog& log_;
    std::vector<std::string> files_;
};

}  // namespace vprinter::render
