#pragma once

/// The journal's two tabs.
enum class JournalTab { today, practice };
