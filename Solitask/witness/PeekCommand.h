#pragma once

#include <QString>

struct PlatformServices;

/// `solitask --peek FILE.jpg`: writes exactly the frame the witness would take
/// now, after every skip rule and all blanking, so that a person can check
/// what leaves their screen. Nothing goes to the frames folder or the judge.
namespace PeekCommand {

/// 0 with the frame written to `file`; 1 with the skip reason on standard
/// error when no frame would be taken or the file cannot be written.
int run(PlatformServices &platform, const QString &file);

} // namespace PeekCommand
