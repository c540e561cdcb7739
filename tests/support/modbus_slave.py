#!/usr/bin/env python3
"""A Modbus RTU slave for the monitor's tests: serves known register values on a serial port.

Holding and input registers are given as ADDRESS=VALUE pairs; an address not given is not held,
so a read that reaches it is answered with exception 2 (illegal data address), as a gateway
answers for a register no map uses. Requests for another device ID go unanswered. The line is
9600 8N1: on a pseudo-terminal the master's settings do not matter. Prints "ready" once the
port is open.
"""
import argparse
import asyncio
import logging

from pymodbus.datastore import ModbusServerContext, ModbusSlaveContext, ModbusSparseDataBlock
from pymodbus.server import StartAsyncSerialServer
from pymodbus.transaction import ModbusRtuFramer


def registers(text):
    values = {}
    for pair in filter(None, text.split(",")):
        address, value = pair.split("=")
        values[int(address, 0)] = int(value, 0)
    return values


async def serve(arguments):
    store = ModbusSlaveContext(
        hr=ModbusSparseDataBlock(registers(arguments.holding)),
        ir=ModbusSparseDataBlock(registers(arguments.input)),
        zero_mode=True,
    )
    context = ModbusServerContext(slaves={arguments.id: store}, single=False)
    server = await StartAsyncSerialServer(
        context=context,
        framer=ModbusRtuFramer,
        port=arguments.port,
        baudrate=9600,
        parity="N",
        bytesize=8,
        stopbits=1,
        ignore_missing_slaves=True,
        defer_start=True,
    )
    await server.start()
    print("ready", flush=True)
    await server.serve_forever()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", required=True)
    parser.add_argument("--id", type=int, default=1)
    parser.add_argument("--holding", default="")
    parser.add_argument("--input", default="")
    arguments = parser.parse_args()
    logging.basicConfig(level=logging.CRITICAL)
    asyncio.run(serve(arguments))


if __name__ == "__main__":
    main()
