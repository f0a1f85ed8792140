#include "ReportDescriptor.h"

#include <map>
#include <vector>

namespace {

struct Globals {
    quint32 reportSize = 0;
    quint32 reportCount = 0;
    quint32 reportId = 0;
};

int bytesWithId(quint64 bits)
{
    const quint64 bytes = (bits + 7) / 8 + 1;
    return bytes > 0x7fffffff ? 0x7fffffff : static_cast<int>(bytes);
}

} // namespace

ReportLengths parseReportDescriptor(const QByteArray& descriptor)
{
    ReportLengths result;
    Globals globals;
    std::vector<Globals> stack;
    std::map<quint32, quint64> inputBits;
    std::map<quint32, quint64> outputBits;

    const auto* bytes = reinterpret_cast<const unsigned char*>(descriptor.constData());
    const qsizetype size = descriptor.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char prefix = bytes[i++];
        if (prefix == 0xFE) { // long item: size byte, tag byte, data
            if (i + 2 > size)
                break;
            const qsizetype dataSize = bytes[i];
            i += 2 + dataSize;
            continue;
        }
        static constexpr int sizes[] = {0, 1, 2, 4};
        const int dataSize = sizes[prefix & 0x03];
        if (i + dataSize > size)
            break;
        quint32 data = 0;
        for (int b = 0; b < dataSize; ++b)
            data |= static_cast<quint32>(bytes[i + b]) << (8 * b);
        i += dataSize;

        const int type = (prefix >> 2) & 0x03;
        const int tag = (prefix >> 4) & 0x0F;
        if (type == 0) { // main
            const quint64 bits = static_cast<quint64>(globals.reportSize) * globals.reportCount;
            if (tag == 0x8)
                inputBits[globals.reportId] += bits;
            else if (tag == 0x9)
                outputBits[globals.reportId] += bits;
        } else if (type == 1) { // global
            switch (tag) {
            case 0x7: globals.reportSize = data; break;
            case 0x8:
                globals.reportId = data;
                result.usesReportIds = true;
                break;
            case 0x9: globals.reportCount = data; break;
            case 0xA: stack.push_back(globals); break;
            case 0xB:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default: break;
            }
        }
    }
    for (const auto& [id, bits] : inputBits)
        result.input = std::max(result.input, bytesWithId(bits));
    for (const auto& [id, bits] : outputBits)
        result.output = std::max(result.output, bytesWithId(bits));
    return result;
}
