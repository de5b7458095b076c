#pragma once

#include "Solitask/platform/Sound.h"

#include <memory>

class X11Connection;

/// The X server's bell at a low volume: always available, never blocks.
class SoundX11Bell : public Sound
{
public:
    explicit SoundX11Bell(std::shared_ptr<X11Connection> connection);

    Support support() const override { return Support::yes(); }
    void play() override;

private:
    std::shared_ptr<X11Connection> m_connection;
};
