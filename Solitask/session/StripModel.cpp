#include "Solitask/session/StripModel.h"

#include <array>

namespace {

constexpr std::array<const char *, 4> kDotNames = {"clear", "sage", "amber", "gray"};
constexpr std::array<const char *, 4> kFaceNames = {"committed", "nothing", "offDuty", "quiet"};

} // namespace

DotState dotState(Verdict verdict)
{
    switch (verdict) {
    case Verdict::aligned:
    case Verdict::mostly:
        return DotState::sage;
    case Verdict::drifting:
    case Verdict::away:
        return DotState::amber;
    case Verdict::unclear:
        break;
    }
    return DotState::gray;
}

QString rawValue(DotState state)
{
    return QString::fromLatin1(kDotNames[std::size_t(state)]);
}

QString rawValue(StripFace face)
{
    return QString::fromLatin1(kFaceNames[std::size_t(face)]);
}

StripModel::StripModel(QObject *parent)
    : QObject(parent)
{
}
