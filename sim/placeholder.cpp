// replaced by the simulator
