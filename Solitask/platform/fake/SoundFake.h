#pragma once

#include "Solitask/platform/Sound.h"

class SoundFake : public Sound
{
public:
    Support support() const override { return Support::yes(); }
    void play() override { ++m_played; }

    int played() const { return m_played; }

private:
    int m_played = 0;
};
