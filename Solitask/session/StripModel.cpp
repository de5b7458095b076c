#include "Solitask/session/StripModel.h"

#include <array>

namespace {

constexpr std::array<const char *, 4> kDotNames = {"clear", "sage", "amber", "gray"};
constexpr std::array<const char *, 4> kFaceNames = {"committed", "nothing", "offDuty", "quiet"};

} // namespace

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
