#include "app/orvlog/logwriter.h"

#include "app/orvlog/logger.h"

namespace OrvLogging {

LogWriter::LogWriter(Level level) : mLevel(level), mStream(&mBuffer) {}

LogWriter::~LogWriter()
{
    Logger::instance().write(mBuffer, mLevel);
}

} // namespace OrvLogging
